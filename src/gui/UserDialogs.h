// The thin layer through which the program talks to the user with standard
// dialogs: message boxes, one-line input boxes and file dialogs. Windows call
// Dialogs(); tests install a scripted stand-in, the command-line tool a console
// one, so no code path depends on a real modal dialog.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation };

// Buttons of a message box; a box shows a set of them and returns the one pressed.
enum TMsgDlgBtn : int {
    mbNone = 0,
    mbYes = 1 << 0,
    mbNo = 1 << 1,
    mbOK = 1 << 2,
    mbCancel = 1 << 3,
};

class TUserDialogs {
public:
    virtual ~TUserDialogs() = default;

    // Shows a message box with the given buttons (a set of TMsgDlgBtn) and
    // returns the button chosen; closing the box counts as mbCancel when it is
    // offered, otherwise as the only or first button.
    virtual int MessageDlg(const QString& text, TMsgDlgType type, int buttons) = 0;

    // The same box with the button that Enter presses (mbNone: the box's own
    // choice). Destructive questions pass mbCancel or mbNo. Stand-ins that show
    // no box answer it as MessageDlg.
    virtual int MessageDlg(const QString& text, TMsgDlgType type, int buttons, int defaultButton)
    {
        return MessageDlg(text, type, buttons);
    }

    // One-line input box; returns false when cancelled (value unchanged).
    virtual bool InputQuery(const QString& caption, const QString& prompt, QString& value) = 0;

    // File dialogs; an empty result means cancelled.
    virtual QString OpenFileName(const QString& caption, const QString& folder, const QString& filter) = 0;
    virtual QString SaveFileName(const QString& caption, const QString& folder, const QString& filter,
                                 const QString& defaultSuffix) = 0;

    // The window dialogs are parented to (may be null).
    void SetParentWindow(QWidget* parent) { FParent = parent; }
    QWidget* ParentWindow() const { return FParent; }

private:
    QWidget* FParent = nullptr;
};

// Real Qt dialogs.
class TQtUserDialogs : public TUserDialogs {
public:
    int MessageDlg(const QString& text, TMsgDlgType type, int buttons) override;
    int MessageDlg(const QString& text, TMsgDlgType type, int buttons, int defaultButton) override;
    bool InputQuery(const QString& caption, const QString& prompt, QString& value) override;
    QString OpenFileName(const QString& caption, const QString& folder, const QString& filter) override;
    QString SaveFileName(const QString& caption, const QString& folder, const QString& filter,
                         const QString& defaultSuffix) override;
};

// Headless: messages go to stderr, questions take their safest answer
// (Cancel or No when offered), input and file dialogs are cancelled.
class TConsoleUserDialogs : public TUserDialogs {
public:
    using TUserDialogs::MessageDlg;
    int MessageDlg(const QString& text, TMsgDlgType type, int buttons) override;
    bool InputQuery(const QString& caption, const QString& prompt, QString& value) override;
    QString OpenFileName(const QString& caption, const QString& folder, const QString& filter) override;
    QString SaveFileName(const QString& caption, const QString& folder, const QString& filter,
                         const QString& defaultSuffix) override;
    QStringList Shown;  // every message shown, in order
};

// The dialogs in use. Until SetDialogs is called this is a TQtUserDialogs.
TUserDialogs& Dialogs();
// Installs another implementation (not owned); nullptr restores the Qt one.
void SetDialogs(TUserDialogs* dialogs);
