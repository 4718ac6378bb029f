// TClipboardMonitor: tells when the system clipboard's content changes.
#pragma once

#include <QObject>

class TClipboardMonitor : public QObject {
    Q_OBJECT
public:
    explicit TClipboardMonitor(QObject* parent = nullptr);
    ~TClipboardMonitor() override;

    // While enabled, every change of the clipboard raises Changed.
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);

Q_SIGNALS:
    void Changed();

private:
    bool FEnabled = false;
};
