#include "gui/MenuButtonAccessible.h"

#include <QAccessibleWidget>
#include <QMenu>
#include <QToolButton>

namespace {

class TMenuButtonAccessible : public QAccessibleWidget {
public:
    explicit TMenuButtonAccessible(QToolButton* button) : QAccessibleWidget(button, QAccessible::ButtonMenu) {}

    QToolButton* Button() const { return static_cast<QToolButton*>(widget()); }

    int childCount() const override { return Button()->menu() ? 1 : 0; }
    QAccessibleInterface* child(int index) const override
    {
        QMenu* menu = Button()->menu();
        return index == 0 && menu ? QAccessible::queryAccessibleInterface(menu) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child && Button()->menu() && child->object() == Button()->menu() ? 0 : -1;
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.hasPopup = true;
        s.expanded = Button()->menu() && Button()->menu()->isVisible();
        return s;
    }
    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString& name) override
    {
        if (name == showMenuAction() || name == pressAction())
            Button()->showMenu();
    }
};

QAccessibleInterface* MenuButtonFactory(const QString& className, QObject* object)
{
    if (className != QLatin1String("QToolButton"))
        return nullptr;
    auto* button = qobject_cast<QToolButton*>(object);
    if (!button || button->popupMode() != QToolButton::InstantPopup)
        return nullptr;
    return new TMenuButtonAccessible(button);
}

}  // namespace

void InstallMenuButtonAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(MenuButtonFactory);
        return true;
    }();
    (void)installed;
}
