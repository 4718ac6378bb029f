#include "gui/UserDialogs.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QInputDialog>
#include <QMessageBox>
#include <QTreeView>

#include <cstdio>

namespace {

TUserDialogs* gDialogs = nullptr;

int FirstButton(int buttons)
{
    for (int b : {mbYes, mbNo, mbOK, mbCancel})
        if (buttons & b)
            return b;
    return mbOK;
}

}  // namespace

TUserDialogs& Dialogs()
{
    static TQtUserDialogs qtDialogs;
    return gDialogs ? *gDialogs : qtDialogs;
}

void SetDialogs(TUserDialogs* dialogs)
{
    gDialogs = dialogs;
}

int TQtUserDialogs::MessageDlg(const QString& text, TMsgDlgType type, int buttons)
{
    return MessageDlg(text, type, buttons, mbNone);
}

int TQtUserDialogs::MessageDlg(const QString& text, TMsgDlgType type, int buttons, int defaultButton)
{
    QMessageBox box(ParentWindow());
    switch (type) {
    case TMsgDlgType::mtWarning: box.setIcon(QMessageBox::Warning); box.setWindowTitle(QObject::tr("Warning")); break;
    case TMsgDlgType::mtError: box.setIcon(QMessageBox::Critical); box.setWindowTitle(QObject::tr("Error")); break;
    case TMsgDlgType::mtInformation: box.setIcon(QMessageBox::Information); box.setWindowTitle(QObject::tr("Information")); break;
    case TMsgDlgType::mtConfirmation: box.setIcon(QMessageBox::Question); box.setWindowTitle(QObject::tr("Confirm")); break;
    }
    // Messages break lines with CR (or CR LF); Qt's box breaks only at LF.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    box.setText(shown);
    QMessageBox::StandardButtons std;
    if (buttons & mbYes) std |= QMessageBox::Yes;
    if (buttons & mbNo) std |= QMessageBox::No;
    if (buttons & mbOK) std |= QMessageBox::Ok;
    if (buttons & mbCancel) std |= QMessageBox::Cancel;
    if (!std)
        std = QMessageBox::Ok;
    box.setStandardButtons(std);
    const QMessageBox::StandardButton enterButton = defaultButton == mbYes      ? QMessageBox::Yes
                                                    : defaultButton == mbNo     ? QMessageBox::No
                                                    : defaultButton == mbOK     ? QMessageBox::Ok
                                                    : defaultButton == mbCancel ? QMessageBox::Cancel
                                                                                : QMessageBox::NoButton;
    if (enterButton != QMessageBox::NoButton && (std & enterButton))
        box.setDefaultButton(enterButton);
    switch (box.exec()) {
    case QMessageBox::Yes: return mbYes;
    case QMessageBox::No: return mbNo;
    case QMessageBox::Ok: return mbOK;
    case QMessageBox::Cancel: return mbCancel;
    default: return (buttons & mbCancel) ? int(mbCancel) : FirstButton(buttons);
    }
}

bool TQtUserDialogs::InputQuery(const QString& caption, const QString& prompt, QString& value)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(ParentWindow(), caption, prompt, QLineEdit::Normal, value, &ok);
    if (ok)
        value = answer;
    return ok;
}

namespace {

// Opens in the detail view, wide enough that name, size and date can be read:
// the name takes the room the size, type and date columns leave.
void SizeFileDialog(QFileDialog& dlg)
{
    dlg.setViewMode(QFileDialog::Detail);
    dlg.resize(900, 540);
    if (auto* details = dlg.findChild<QTreeView*>()) {
        QHeaderView* header = details->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(QHeaderView::ResizeToContents);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
    }
}

}  // namespace

QString TQtUserDialogs::OpenFileName(const QString& caption, const QString& folder, const QString& filter)
{
    QFileDialog dlg(ParentWindow(), caption, folder, filter);
    dlg.setFileMode(QFileDialog::ExistingFile);
    SizeFileDialog(dlg);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return QString();
    return dlg.selectedFiles().front();
}

QString TQtUserDialogs::SaveFileName(const QString& caption, const QString& folder, const QString& filter,
                                     const QString& defaultSuffix)
{
    QFileDialog dlg(ParentWindow(), caption, folder, filter);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setDefaultSuffix(defaultSuffix);
    SizeFileDialog(dlg);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return QString();
    return dlg.selectedFiles().front();
}

int TConsoleUserDialogs::MessageDlg(const QString& text, TMsgDlgType type, int buttons)
{
    Shown << text;
    const char* kind = type == TMsgDlgType::mtError     ? "error"
                       : type == TMsgDlgType::mtWarning ? "warning"
                                                        : "note";
    const QByteArray line = QStringLiteral("%1: %2\n").arg(QLatin1String(kind), text.trimmed()).toUtf8();
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    if (buttons & mbCancel)
        return mbCancel;
    if (buttons & mbNo)
        return mbNo;
    return FirstButton(buttons);
}

bool TConsoleUserDialogs::InputQuery(const QString&, const QString&, QString&)
{
    return false;
}

QString TConsoleUserDialogs::OpenFileName(const QString&, const QString&, const QString&)
{
    return QString();
}

QString TConsoleUserDialogs::SaveFileName(const QString&, const QString&, const QString&, const QString&)
{
    return QString();
}
