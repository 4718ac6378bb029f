// TPlanSurface: the widget that shows one label document. It takes the
// document's view size, clips itself to the label's rounded outline and
// paints the document when asked; the document tells it when to through its
// signals. The design area handles the mouse and keys on it.
#pragma once

#include <QPointer>
#include <QWidget>

class TLabelPlan;

class TPlanSurface : public QWidget {
    Q_OBJECT
public:
    explicit TPlanSurface(QWidget* parent = nullptr);

    // Shows plan from now on (nothing for null); the former one is let go.
    void SetPlan(TLabelPlan* plan);
    TLabelPlan* Plan() const { return FPlan; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void FollowSize();
    void Repaint(const QRect& area);

    QPointer<TLabelPlan> FPlan;
};
