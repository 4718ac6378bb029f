// Entry point of tagmora-cli. It has no windows and needs no display: it
// always runs on the offscreen platform plugin, with no Qt Widgets linked.
#include "engine/Headless.h"
#include "cli/Cli.h"
#include "document/ProgramEntry.h"
#include "document/StandInPrinter.h"

#include <QGuiApplication>

namespace {

// Qt's own diagnostics ("QPainter::begin(): Returned false") are not for the
// user: the commands say what went wrong. TAGMORA_CLI_QT_MESSAGES=1 shows them.
void DropQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    static const bool show = qEnvironmentVariableIntValue("TAGMORA_CLI_QT_MESSAGES") != 0;
    if (show || type == QtFatalMsg)
        qt_message_output(type, context, text);
}

}  // namespace

int main(int argc, char* argv[])
{
    // Qt takes options such as -platform, -style and -reverse out of the
    // arguments it is given, even after "--": it gets the program name only.
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};

    qInstallMessageHandler(DropQtMessage);
    PrepareHeadlessEnvironment(true);
    QGuiApplication app(qtArgc, qtArgv);
    FixNumberFormat();
    QGuiApplication::setApplicationName(QStringLiteral("Tagmora"));
    // TAGMORA_PRINTERS replaces the installed printers by chosen ones.
    InstallStandInPrinterFromEnvironment();
    return cli::Run(args);
}
