// TLabelPlan: the label document: label and sheet parameters, layers, label
// objects, standard pictures, the update lock and the plan text. It is no
// window: a design surface widget shows one plan and follows its signals.
// The plan's view size (ViewWidth() x ViewHeight() pixels) is the size that
// object coordinates map to: the zoomed size on screen, one label at the
// device's resolution while printing.
#pragma once

#include "document/PictureData.h"
#include "document/PlanLayer.h"
#include "document/PlanValues.h"

#include <QObject>
#include <QPainterPath>
#include <QPoint>
#include <QSize>
#include <QStringList>

#include <functional>
#include <stdexcept>

class QIODevice;
class QPainter;
class TLabelObject;

// Whether the label outline is drawn.
enum TBorderStyle : uint8_t { bsNone, bsSingle };

// Errors of the plan text ("Invalid object: " + type).
class ELabelPlanException : public std::runtime_error {
public:
    explicit ELabelPlanException(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString Message() const { return QString::fromStdString(what()); }
};

// A named picture that picture objects can refer to ("Graphic=%NAME%").
struct TPlanStandardPicture {
    QString Name;
    TPlanPictureData Picture;
};

// Limits of the plan reader: sections nested deeper, and objects beyond this
// count, end the reading with an error (what was read stays).
constexpr int kMaxPlanNesting = 1000;
constexpr int kMaxPlanObjects = 100000;

class TLabelPlan : public QObject {
    Q_OBJECT
public:
    explicit TLabelPlan(QObject* parent = nullptr);
    ~TLabelPlan() override;

    // ----- Document parameters (plan text keyword in quotes) -------------
    int32_t ScaleX = 0;               // "LabelSize " width, plan units
    int32_t ScaleY = 0;               // "LabelSize " height
    double LabCR = 0;                 // "LabelCornerRadius ", plan units
    int32_t LayoutRows = 0;           // "LayoutRows "
    int32_t LayoutCols = 0;           // "LayoutCols "
    double MarginLeft = 0;            // "MarginLeft ", cm
    double MarginTop = 0;             // "MarginTop ", cm
    double MarginRight = 0;           // "MarginRight ", cm
    double MarginBottom = 0;          // "MarginBottom ", cm
    double VerticalSpace = 0;         // "VerticalSpace ", cm between rows
    double HorizontalSpace = 0;       // "HorizontalSpace ", cm between columns
    bool AutoCalcLayout = false;      // "AutoCalcLayout "
    bool CutMark = false;             // "CutMark "
    bool PageNumber = false;          // "PageNumber " (kept, not used)
    bool DataEmbed = true;            // "DataEmbed " (kept, not used)
    QString DataFilePath;             // "DataFilePath " (kept, not used)
    QString DataMDBTable;             // "DataMDBTable " (kept, not used)
    int32_t OutputPrinter = -1;       // "OutputPrinter ": printer list index, -1 = default
    QString OutputPrinterName;        // "OutputPrinterName "
    int32_t PaperSize = 9;            // "PaperSize ": paper code, 9 = A4, 256 = custom
    int32_t PaperWidth = 2100;        // "PaperWidth ", tenths of a millimetre
    int32_t PaperLength = 2970;       // "PaperLength ", tenths of a millimetre
    bool PaperOrientation = true;     // "PaperOrientation ": true = portrait
    TOutputOrder OutputOrder = ooLtRb;  // "OutputOrder "
    int32_t OutputOffset = 1;         // "OutPutOffset " (kept, not used)
    int32_t LabelCount = 0;           // "LabelCount ": -1 = one per datasheet row
    int32_t PntDPI = 300;             // output resolution, not stored

    // ----- Other document state ---------------------------------------------
    TPlanPen Pen;                     // template pen of new objects ("SetLineWidth ", "SetPenColor ")
    TPlanBrush Brush;                 // template brush ("SetBrushColor ")
    TPlanFont Font;                   // template font of text objects ("SetFont ")
    TColor SelectColor = clSilver;    // outline of selection handles
    TColor SelectFillColor = clBlack; // fill of the current object's handles
    int DefaultBarcodeType = 3;       // symbology ordinal of new barcodes (3 = Code 39)
    bool Printing = false;            // rendering for output: no handles, no placeholders
    bool RenderingOutput = false;     // the preview is rendering its pages
    bool OnBlankPage = false;         // output onto pages that start white (a white label needs no fill)
    TPlanPictureData BackgroundPicture;
    // What the pictures of the document may cost to decode together.
    TPictureBudget& PictureBudget() { return FPictureBudget; }
    // True while the surface paints itself on screen: pictures that are not
    // decoded yet are then decoded in the background, with placeholders
    // drawn until they are ready.
    bool PaintingOnScreen() const { return FPaintingOnScreen; }
    // Interaction state the objects read: the pixel point of the last
    // mouse-down, the handle grabbed by it and the creation clicks counted so
    // far for the object being created.
    QPoint DownPoint;
    int GrabbedHandle = 0;
    int NewObjectClicks = 0;

    TPlanOptions Options() const { return FOptions; }
    void SetOptions(TPlanOptions options);  // repaints
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value);           // true unfocuses the current object
    bool Destroying() const { return FDestroying; }
    // A fresh document that is to replace this one starts with this one's
    // parameters, template pen, brush and font, looks and options (what a file
    // does not set keeps its value, as when a file is read over a document).
    void CopySettingsFrom(const TLabelPlan& other);

    // ----- Layers and objects -----------------------------------------------
    TPlanLayers& Layers() { return FLayers; }
    const TPlanLayers& Layers() const { return FLayers; }
    TPlanLayer* ActiveLayer() const { return FActiveLayer; }
    void SetActiveLayer(TPlanLayer* layer);  // unfocuses the current object, repaints
    TLabelObject* CurrentObject() const { return FCurrentObject; }
    void SetCurrentObject(TLabelObject* object);

    // Deletes all layers (releasing their objects) and standard pictures, adds
    // the layer "Default" as active layer, empties PlanStrings, clears the
    // background picture and repaints. Parameters keep their values.
    void ClearPlan();
    // The New command's reset of the label parameters (after ClearPlan): a
    // 180 x 130 point label with corner radius 8, 6 rows by 3 columns, margins
    // 0.8/1.0 cm, label count -1, portrait, PntDPI from the current printer.
    void NewLabel();

    // ----- Update lock --------------------------------------------------------
    int UpdateCount() const { return FUpdateCount; }
    void BeginUpdate();
    void EndUpdate();  // repaints when the count reaches 0

    // ----- Plan text ----------------------------------------------------------
    // Clears lines and fills them with the document's plan text.
    void WritePlan(QStringList& lines);
    // Builds the document from plan text lines. Throws ELabelPlanException for
    // an unknown object type or too deep nesting, EConvertError for a printer
    // or paper value that is not an integer; what was read stays.
    void ReadPlan(const QStringList& lines);
    // ClearPlan, then reads the stream's text (UTF-8 when valid, else
    // Windows-1252; lines end at CR LF, CR or LF) inside the update lock.
    void LoadPlanFromStream(QIODevice& stream);
    void LoadPlanFromBytes(const QByteArray& bytes);
    // Writes the plan text, every line followed by CR LF, in UTF-8.
    void SavePlanToStream(QIODevice& stream);
    QByteArray SavePlanToBytes();
    // Reading runs WritePlan into the list; assigning reads the lines.
    const QStringList& PlanStrings();
    void SetPlanStrings(const QStringList& lines);

    // ----- Standard pictures ------------------------------------------------
    // Appends a copy carrying the name; returns its position.
    int AddStandardPicture(const QString& name, const TPlanPictureData& picture);
    int StandardPictureCount() const { return int(FStandardPictures.size()); }
    // None when the position is not below the count.
    const TPlanStandardPicture* StandardPicture(int index) const;
    // Position of the first whose name equals name (any case); -1 when absent.
    int IndexOfStandardPicture(const QString& name) const;
    // Replaces a standard picture's content; every picture object referring to
    // it by name copies the new content.
    void SetStandardPictureContent(int index, const TPlanPictureData& picture);
    void DeleteStandardPicture(int index);
    void ClearStandardPictures();

    // ----- Events -----------------------------------------------------------
    // Each virtual below emits its signal (see signals); subclasses may
    // override them to react first.
    virtual void ObjectClick(TLabelObject* object, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    virtual void ObjectDblClick(TLabelObject* object);
    virtual void ObjectMouseMove(TLabelObject* object);
    virtual void ObjectMouseEnter(TLabelObject* object);
    virtual void ObjectMouseLeave(TLabelObject* object);
    virtual void AfterDrawNewObject(TLabelObject* object);
    virtual void ParseProgress(int percentsCompleted);
    virtual bool NeedPicture(const QString& pictureName);  // false without a handler

    // ----- Mapping between plan units and view pixels ---------------------
    // The view size: the pixels the label covers (0 x 0 until sized).
    QSize ViewSize() const { return FViewSize; }
    int ViewWidth() const { return FViewSize.width(); }
    int ViewHeight() const { return FViewSize.height(); }
    // Round(ViewWidth() / ScaleX * x) and back, ties to even.
    int PlanToPixelX(double x) const;
    int PlanToPixelY(double y) const;
    int PixelToPlanX(double x) const;
    int PixelToPlanY(double y) const;
    // View pixels per plan unit horizontally / vertically (1 while the label
    // or the surface has no size).
    double PixelsPerPointX() const;
    double PixelsPerPointY() const;
    // Sets the surface to ScaleX x ScaleY pixels (100 % zoom).
    void ResizeToLabel();

    // ----- View (the design surface; implemented in PlanView.cpp) -
    TColor Color = clBlack;             // fill of the label
    TBorderStyle BorderStyle = bsNone;  // bsSingle outlines the label with Pen

    // The looks the main window gives the surface: white label, black
    // handle outlines and fills, no border (pen, brush and font, which plan
    // text also sets, are left alone).
    void ApplyMainWindowAppearance();

    // Label size setters: a value of 0 or less is ignored; Resize runs in
    // every case.
    void SetScaleX(int value);
    void SetScaleY(int value);
    // Sets the view size (clamped to 0..16777215) and runs Resize. Output and
    // zoom go through it.
    void SetViewSize(int width, int height);
    // After a size change: tells the surface (Resized, not while printing),
    // rescales every object and repaints. Nothing while the plan is being
    // destroyed.
    void Resize();
    // The label's rounded outline in view pixels (a surface clips to it).
    QPainterPath Shape() const;
    // Paints the label (its rounded outline filled with Color, BorderStyle)
    // and every visible layer, the active layer last, onto any canvas in the
    // view pixels (ViewWidth() x ViewHeight()); the canvas's own transform and
    // clipping are honoured. Nothing while the update lock is held or the
    // plan is being destroyed. Errors of objects (a barcode that cannot
    // encode its text) pass to the caller; the canvas may then be left with
    // a partial picture.
    void PaintTo(QPainter& canvas);
    // PaintTo as a surface on screen paints: pictures not decoded yet are
    // decoded in the background (PaintingOnScreen), and an object that cannot
    // draw itself does not end the painting of the others' window.
    void PaintOnScreen(QPainter& canvas);
    // Repaint requests (RepaintRequested): an area in view pixels (objects
    // invalidate their own area through it) and the whole surface. Dropped
    // while the update lock is held (EndUpdate repaints everything), while
    // printing, or while the plan is being destroyed.
    void InvalidateRect(const QRect& rect);
    void InvalidatePlan();

    // Zoom commands. ZoomIn: nothing when the view is wider than 1000 or higher than 700,
    // else both grow by 1.3 (rounded); ZoomOut: nothing when narrower than
    // 150 or lower than 100, else both shrink by 1.3. They answer whether the size
    // changed; the main window resets its scroll positions first (CanZoomIn /
    // CanZoomOut tell beforehand) and refreshes its commands afterwards.
    // ActualSize: one pixel per point.
    bool CanZoomIn() const;
    bool CanZoomOut() const;
    bool ZoomIn();
    bool ZoomOut();
    void ActualSize();
    // The zoom shown to the user: ViewWidth() / ScaleX rounded to two decimals,
    // times 100 (100 for actual size).
    int ZoomPercent() const;

Q_SIGNALS:
    // The object events of the design surface, emitted by the virtuals above.
    void ObjectClicked(TLabelObject* object, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void ObjectDoubleClicked(TLabelObject* object);
    void ObjectMouseMoved(TLabelObject* object);
    void ObjectMouseEntered(TLabelObject* object);
    void ObjectMouseLeft(TLabelObject* object);
    void NewObjectDrawn(TLabelObject* object);
    // Reading plan text: percent of the lines read so far.
    void ParseProgressed(int percentsCompleted);
    // Plan text names a standard picture that is not loaded; a receiver that
    // adds it (AddStandardPicture) sets *found. Connect directly.
    void PictureNeeded(const QString& pictureName, bool* found);
    // After a size change (zoom, label size; not while printing); the
    // surface takes the view size and the main window places it and its
    // rulers.
    void Resized();
    // An area of the view to repaint; an empty rectangle means all of it.
    void RepaintRequested(const QRect& area);
    // The current (focused) object changed; null for none.
    void CurrentObjectChanged(TLabelObject* object);

private:
    void EnsureLayer();
    bool ReadHeaderLine(const QString& line);
    void ResolvePrinter();

    TPlanLayers FLayers;
    TPlanLayer* FActiveLayer = nullptr;
    TLabelObject* FCurrentObject = nullptr;
    QList<TPlanStandardPicture> FStandardPictures;
    QStringList FPlanStrings;
    TPlanOptions FOptions = poAutoAnimate;
    int FUpdateCount = 0;
    bool FReadOnly = false;
    bool FDestroying = false;
    bool FPaintingOnScreen = false;
    TPictureBudget FPictureBudget;
    QSize FViewSize;

    friend class TPlanLayers;
};
