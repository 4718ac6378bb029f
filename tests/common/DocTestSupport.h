// Helpers of the document and printing tests.
#pragma once

#include "document/LabelPlan.h"
#include "document/LabelObject.h"
#include "document/StandInPrinter.h"

#include <QImage>
#include <QPainter>
#include <QRect>

#include <QString>
#include <QStringList>

#include <ostream>

// Readable QStrings in test failures.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList& l, std::ostream* os)
{
    *os << "{";
    for (const QString& s : l)
        *os << "\n  \"" << s.toStdString() << '"';
    *os << "}";
}
inline void PrintTo(const QByteArray& b, std::ostream* os)
{
    *os << '"' << b.left(400).toStdString() << (b.size() > 400 ? "\"..." : "\"");
}

// A document with a fixed set of printers (none by default), so that nothing
// depends on the machine's printers. The document starts as a new label.
struct TPlanFixture {
    TStandInPrinter printer;
    TScopedPrinter guard{printer};
    TLabelPlan plan;
    TPlanFixture() { plan.NewLabel(); }

    // A background no object uses.
    static constexpr QRgb kBack = 0xFF102030;

    // The object drawn alone onto kBack, at the surface size.
    QImage Draw(TLabelObject* o)
    {
        QImage img(plan.ViewSize(), QImage::Format_RGB32);
        img.fill(kBack);
        QPainter p(&img);
        o->Draw(p);
        return img;
    }
    // Bounding box of the pixels that differ from kBack.
    static QRect Ink(const QImage& img)
    {
        QRect r;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (img.pixel(x, y) != kBack)
                    r |= QRect(x, y, 1, 1);
        return r;
    }
};

// Splits text at "\n" into lines (for writing test plans compactly).
inline QStringList Lines(const char* text)
{
    return QString::fromUtf8(text).split(QLatin1Char('\n'));
}
