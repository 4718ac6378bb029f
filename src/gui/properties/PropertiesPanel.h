// The quick properties panel below the design surface (PNL_ProM): border and
// fill colours, position and size, border and fill styles, border width and
// corner radius of the current object, in the display unit.
//
// The panel follows the document by itself: it refreshes when the current
// object changes, after every change of the document (a drag, a dialog, undo
// and redo) and when the unit changes. Each edit is one undoable step on the
// current object. Filling the panel never writes back into the object.
#pragma once

#include <QComboBox>
#include <QFrame>
#include <QWidget>

class QLabel;
class QPushButton;
class TLabelDocument;
class TLabelObject;
class TRealSpinBox;

// A colour swatch that reports mouse presses (SHP_Pen, SHP_Brush).
class TColorSwatch : public QFrame {
    Q_OBJECT
public:
    explicit TColorSwatch(QWidget* parent = nullptr);
    QColor Color() const { return FColor; }
    void SetColor(const QColor& color);
    QSize sizeHint() const override { return QSize(22, 22); }

Q_SIGNALS:
    void Pressed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QColor FColor = Qt::black;
};

// A list of pen styles or brush styles drawn as lines and fills; the item
// index is the style ordinal.
class TStyleComboBox : public QComboBox {
    Q_OBJECT
public:
    enum TKind { PenStyles, BrushStyles };
    TStyleComboBox(TKind kind, QWidget* parent = nullptr);
    TKind Kind() const { return FKind; }
    // The colour of the "Solid" fill item (the design's default brush).
    void SetSolidColor(const QColor& color);
    QColor SolidColor() const { return FSolidColor; }
    // Draws the item of the given style into rect.
    void PaintItem(QPainter& painter, const QRect& rect, int style) const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TKind FKind;
    QColor FSolidColor = Qt::white;
};

class TPropertiesPanel : public QWidget {
    Q_OBJECT
public:
    explicit TPropertiesPanel(TLabelDocument& document, QWidget* parent = nullptr);

    // Fills the panel from the document's current object (unless it is
    // locked) and enables the editable part when there is an unlocked current
    // object; "More ..." shows for text, picture and barcode objects.
    void Refresh();
    // Fills the panel from an object (the click on an object). A locked
    // object leaves the panel as it is.
    void Fill(TLabelObject* object);
    // 0 centimetres, 1 inches: the unit caption and the values follow.
    void SetUnits(int units);
    int Units() const { return FUnits; }
    // Edits apply only while the pointer tool is selected (the default).
    void SetPointerToolSelected(bool selected);

    // The controls (object names as captioned).
    QLabel* Lab_PUnits = nullptr;
    QPushButton* Lab_More = nullptr;
    QWidget* PNL_Pro = nullptr;
    TColorSwatch* SHP_Pen = nullptr;
    TColorSwatch* SHP_Brush = nullptr;
    TRealSpinBox* SEDT_Left = nullptr;
    TRealSpinBox* SEDT_Top = nullptr;
    TRealSpinBox* SEDT_Width = nullptr;
    TRealSpinBox* SEDT_Height = nullptr;
    TStyleComboBox* CBX_LineStyle = nullptr;
    TStyleComboBox* CBX_FillStyle = nullptr;
    TRealSpinBox* SEDT_LineWid = nullptr;
    TRealSpinBox* SEDT_CR = nullptr;
    QLabel* Lab_CR = nullptr;

Q_SIGNALS:
    // "More ..." was clicked: the main window opens the object properties dialog.
    void MorePropertiesRequested();

private:
    // The current object when edits may apply to it, else null.
    TLabelObject* EditableObject() const;
    // Runs change on the editable object as one undoable step.
    template <class F>
    void ApplyEdit(const QString& what, F change);
    void PenSwatchPressed();
    void BrushSwatchPressed();

    TLabelDocument& FDocument;
    int FUnits = 0;
    bool FFilling = false;
    bool FPointerTool = true;
};
