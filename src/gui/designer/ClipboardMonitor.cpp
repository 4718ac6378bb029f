#include "gui/designer/ClipboardMonitor.h"

#include <QClipboard>
#include <QGuiApplication>

TClipboardMonitor::TClipboardMonitor(QObject* parent) : QObject(parent)
{
    SetEnabled(true);
}

TClipboardMonitor::~TClipboardMonitor()
{
    SetEnabled(false);
}

void TClipboardMonitor::SetEnabled(bool enabled)
{
    if (enabled == FEnabled)
        return;
    FEnabled = enabled;
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (enabled)
        connect(clipboard, &QClipboard::dataChanged, this, &TClipboardMonitor::Changed);
    else
        disconnect(clipboard, &QClipboard::dataChanged, this, &TClipboardMonitor::Changed);
}
