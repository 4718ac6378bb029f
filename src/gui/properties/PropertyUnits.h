// Lengths as the properties panel and dialogs show them: the display unit
// (0 centimetres, 1 inches), the roundings they use, numbers written and read
// with "." whatever the system's settings, and the real-number spin box.
#pragma once

#include <QDoubleSpinBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QSpinBox>
#include <QString>
#include <QToolTip>

// Centimetres per display unit: 1 for centimetres, 2.54 for inches.
double UnitFactor(int units);
// "cm" or "in".
QString UnitName(int units);
// "(Unit: cm)" or "(Unit: in)".
QString UnitCaption(int units);

// Nearest multiple of 10^-decimals, halves to the even neighbour.
double RoundDecimals(double value, int decimals);
// Three decimals by adding a half in the last place and cutting off the rest.
double TruncRound3(double value);

// The shortest text that reads back as the value, "." as separator (6.35).
QString FormatNumber(double value);
// Reads a number written with "."; false for anything else (blanks around
// it are allowed).
bool ParseNumber(const QString& text, double& value);

// What the number boxes share: text that is no number is refused when Enter
// is pressed or the box is left. The box goes back to its value and tells
// why in a tool tip (and its accessible description); a value that is a
// number but out of range becomes the nearest one.
class TNumberRefusal {
public:
    virtual ~TNumberRefusal() = default;
    // The last refusal's message ("'abc' is not a valid ... value"), empty
    // when none.
    QString Refusal() const { return FRefusal; }
    // A dialog's OK: true (and the refusal is shown again) when a box under
    // root refused text as the focus left it and has not been edited since;
    // the dialog then stays open once so the user sees that the typed text
    // was not taken.
    static bool TakePendingRefusal(QWidget* root);
    // Tells the last refusal again at the box.
    virtual void ShowRefusal() = 0;

protected:
    QString FRefusal;
    bool FPending = false;
};

// Text is the number format: static IsNumber(text) and RefusalText(text).
template <class Base, class Text>
class TNumberBox : public Base, public TNumberRefusal {
public:
    explicit TNumberBox(QWidget* parent = nullptr) : Base(parent)
    {
        this->setLocale(QLocale::c());
        this->setKeyboardTracking(false);
        this->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
        QObject::connect(this->lineEdit(), &QLineEdit::textEdited, this, [this] { FPending = false; });
    }
    QValidator::State validate(QString& input, int&) const override
    {
        // Anything may be typed; what is no number is refused at the end.
        return Text::IsNumber(input) ? QValidator::Acceptable : QValidator::Intermediate;
    }
    void fixup(QString&) const override {}
    void ShowRefusal() override
    {
        QToolTip::showText(this->mapToGlobal(QPoint(0, this->height())), FRefusal, this, QRect(), 8000);
        this->setAccessibleDescription(FRefusal);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && Refuse(false)) {
            event->accept();  // the dialog does not close on it
            return;
        }
        Base::keyPressEvent(event);
    }
    void focusOutEvent(QFocusEvent* event) override
    {
        Refuse(true);
        Base::focusOutEvent(event);
    }

private:
    bool Refuse(bool pending)
    {
        const QString text = this->lineEdit()->text();
        if (Text::IsNumber(text))
            return false;
        FRefusal = Text::RefusalText(text.trimmed());
        FPending = pending;
        this->lineEdit()->setText(this->textFromValue(this->value()));
        ShowRefusal();
        return true;
    }
};

struct TRealText {
    static bool IsNumber(const QString& text);
    static QString RefusalText(const QString& text);
};
struct TIntText {
    static bool IsNumber(const QString& text);
    static QString RefusalText(const QString& text);
};

// A real-number spin box: holds four decimals, shows the value without
// trailing zeros and reads "." whatever the locale. It applies typed text
// when Enter is pressed or it loses the focus, not at every keystroke; text
// that is no number (an empty box too) is refused.
class TRealSpinBox : public TNumberBox<QDoubleSpinBox, TRealText> {
public:
    explicit TRealSpinBox(QWidget* parent = nullptr);

    QString textFromValue(double value) const override;
    double valueFromText(const QString& text) const override;
};

// A whole-number spin box that refuses text as TRealSpinBox does.
class TIntSpinBox : public TNumberBox<QSpinBox, TIntText> {
public:
    explicit TIntSpinBox(QWidget* parent = nullptr);

protected:
    int valueFromText(const QString& text) const override;
};
