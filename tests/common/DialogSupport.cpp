#include "DialogSupport.h"

namespace testsupport {

int ScriptedDialogs::MessageDlg(const QString& text, TMsgDlgType type, int buttons)
{
    messages.push_back({text, type, buttons});
    if (!buttonAnswers.empty()) {
        const int b = buttonAnswers.front();
        buttonAnswers.pop_front();
        return b;
    }
    for (int b : {mbYes, mbNo, mbOK, mbCancel})
        if (buttons & b)
            return b;
    return mbOK;
}

bool ScriptedDialogs::InputQuery(const QString& caption, const QString& prompt, QString& value)
{
    inputPrompts << prompt;
    if (inputAnswers.empty())
        return false;
    const QString a = inputAnswers.front();
    inputAnswers.pop_front();
    if (a.isNull())
        return false;
    value = a;
    return true;
}

QString ScriptedDialogs::OpenFileName(const QString&, const QString&, const QString&)
{
    if (fileAnswers.empty())
        return QString();
    const QString a = fileAnswers.front();
    fileAnswers.pop_front();
    return a;
}

QString ScriptedDialogs::SaveFileName(const QString&, const QString&, const QString&, const QString&)
{
    return OpenFileName(QString(), QString(), QString());
}

}  // namespace testsupport
