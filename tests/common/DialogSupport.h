// Scripted answers of the message boxes and file choosers, for the tests of
// the windows and dialogs.
#pragma once

#include "gui/UserDialogs.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <deque>

namespace testsupport {

// Scripted stand-in for the dialog layer: records every message and answers
// from queues (defaults: the first offered button, cancelled input and files).
class ScriptedDialogs : public TUserDialogs {
public:
    struct Message {
        QString text;
        TMsgDlgType type;
        int buttons;
    };
    std::deque<int> buttonAnswers;
    std::deque<QString> inputAnswers;  // a null QString answers Cancel
    std::deque<QString> fileAnswers;
    QList<Message> messages;
    QStringList inputPrompts;

    int MessageDlg(const QString& text, TMsgDlgType type, int buttons) override;
    bool InputQuery(const QString& caption, const QString& prompt, QString& value) override;
    QString OpenFileName(const QString& caption, const QString& folder, const QString& filter) override;
    QString SaveFileName(const QString& caption, const QString& folder, const QString& filter,
                         const QString& defaultSuffix) override;
};

// Installs a ScriptedDialogs for the lifetime of the guard.
class ScopedDialogs {
public:
    ScopedDialogs() { SetDialogs(&dialogs); }
    ~ScopedDialogs() { SetDialogs(nullptr); }
    ScriptedDialogs dialogs;
};

}  // namespace testsupport
