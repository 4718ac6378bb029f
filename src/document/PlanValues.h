// Value types of the label document and their text forms: colours, hex text,
// font styles, pens, brushes, fonts, output orders, plan options.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QFlags>
#include <QString>

#include <cstdint>

// A colour as 0x00BBGGRR (red in the low byte); negative values are system colours.
using TColor = int32_t;

constexpr TColor clBlack = 0;
constexpr TColor clMaroon = 128;
constexpr TColor clGreen = 32768;
constexpr TColor clOlive = 32896;
constexpr TColor clNavy = 8388608;
constexpr TColor clPurple = 8388736;
constexpr TColor clTeal = 8421376;
constexpr TColor clGray = 8421504;
constexpr TColor clSilver = 12632256;
constexpr TColor clRed = 255;
constexpr TColor clLime = 65280;
constexpr TColor clYellow = 65535;
constexpr TColor clBlue = 16711680;
constexpr TColor clFuchsia = 16711935;
constexpr TColor clAqua = 16776960;
constexpr TColor clWhite = 16777215;

// Colour text: one of the 16 names when the value equals it, else a signed decimal.
QString ColorToText(TColor color);
// Reads colour text: a name (any letter case), else an integer ("$" = hexadecimal),
// else white.
TColor TextToColor(const QString& text);
// The colour for painting. System colours (negative values) map to the
// application palette's nearest role; others are taken as 0x00BBGGRR.
QColor ColorToQColor(TColor color);
TColor QColorToColor(const QColor& color);

// Hex text: two upper-case hexadecimal digits per byte, no separators.
QString BytesToHex(const QByteArray& bytes);
// Reads hex text two characters at a time; a pair that does not convert gives
// the byte 0; an odd final character is converted on its own.
QByteArray HexToBytes(QStringView text);

// Font styles and their letters "I", "B", "U", "S" (in this order).
enum TFontStyle { fsItalic = 1, fsBold = 2, fsUnderline = 4, fsStrikeOut = 8 };
Q_DECLARE_FLAGS(TFontStyles, TFontStyle)
Q_DECLARE_OPERATORS_FOR_FLAGS(TFontStyles)
QString FontStyleLetters(TFontStyles style);
// Starts from the empty set and adds each style whose letter occurs anywhere
// in the text (case-sensitive).
TFontStyles LettersToFontStyle(const QString& letters);

// Pen style ordinals: 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot,
// 5 clear, 6 inside frame.
enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
// Pen mode ordinals: 0 black, 1 white, 2 no-op, 3 not, 4 copy, 5 not-copy,
// 6 merge-pen-not, 7 mask-pen-not, 8 merge-not-pen, 9 mask-not-pen, 10 merge,
// 11 not-merge, 12 mask, 13 not-mask, 14 xor, 15 not-xor.
enum TPenMode {
    pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
    pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};
// Brush style ordinals: 0 solid, 1 clear, 2 horizontal, 3 vertical, 4 forward
// diagonal, 5 backward diagonal, 6 cross, 7 diagonal cross.
enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

// An outline pen. Width is in pixels while drawing (objects overwrite it with
// their scaled width); Style and Mode hold the ordinals above as read.
struct TPlanPen {
    TColor Color = clBlack;
    int Width = 1;
    int Style = psSolid;
    int Mode = pmCopy;
    bool operator==(const TPlanPen& o) const
    {
        return Color == o.Color && Width == o.Width && Style == o.Style && Mode == o.Mode;
    }
    bool operator!=(const TPlanPen& o) const { return !(*this == o); }
};

// A fill. Bitmap holds the pattern bitmap's file stream (empty = no pattern).
struct TPlanBrush {
    TColor Color = clWhite;
    int Style = bsSolid;
    QByteArray Bitmap;
    bool operator==(const TPlanBrush& o) const { return Color == o.Color && Style == o.Style && Bitmap == o.Bitmap; }
    bool operator!=(const TPlanBrush& o) const { return !(*this == o); }
};

// Pixels per inch of the screen a font's Height is meant for. Fixed, so a label
// looks the same on every machine.
constexpr int kFontScreenPixelsPerInch = 96;

// A font as label objects store it: face name, size in points, colour,
// character set number and style.
struct TPlanFont {
    QString Name;
    int Size = 10;
    TColor Color = clBlack;
    int CharSet = 1;  // the default character set
    TFontStyles Style;
    // Character height in screen pixels (negative by convention), which the
    // text object draws as plan units.
    int Height() const;
    // A QFont with this face, style and the given pixel size.
    QFont ToQFont(int pixelSize) const;
    bool operator==(const TPlanFont& o) const
    {
        return Name == o.Name && Size == o.Size && Color == o.Color && CharSet == o.CharSet && Style == o.Style;
    }
    bool operator!=(const TPlanFont& o) const { return !(*this == o); }
};

// Order in which labels fill a sheet (the ordinal is stored; values outside
// 0..7 read from plan text are kept as they are).
enum TOutputOrder : uint8_t { ooLtRb, ooLbRt, ooRtLb, ooRbLt, oo2LtRb, oo2LbRt, oo2RtLb, oo2RbLt };

enum TPlanOption { poAutoAnimate = 1, poSaveStandardPictures = 2, poSaveBackgroundPicture = 4, poChildrenClipping = 8 };
Q_DECLARE_FLAGS(TPlanOptions, TPlanOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TPlanOptions)
