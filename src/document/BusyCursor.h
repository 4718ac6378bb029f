// The wait cursor while a long piece of work runs on the window's thread.
#pragma once

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>

// Shows the busy cursor while it lives, in a program with windows; elsewhere
// (the command-line tool) it does nothing.
class TBusyCursor {
public:
    TBusyCursor() : FActive(QCoreApplication::instance() && QCoreApplication::instance()->inherits("QApplication"))
    {
        if (FActive)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~TBusyCursor()
    {
        if (FActive)
            QGuiApplication::restoreOverrideCursor();
    }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;

private:
    bool FActive;
};
