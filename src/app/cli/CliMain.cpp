// Entry point of tagmora-cli. It needs no display: without one it runs on the
// offscreen platform plugin.
#include "app/cli/Cli.h"
#include "document/ProgramEntry.h"
#include "printing/StandInPrinter.h"

#include <QApplication>

namespace {

QtMessageHandler gDefaultHandler = nullptr;

// Qt's note that the runtime folder is not set says nothing to a user of the
// tool on a headless machine; every other message passes through.
void FilterMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    gDefaultHandler(type, context, message);
}

}  // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    gDefaultHandler = qInstallMessageHandler(FilterMessages);
    QApplication app(argc, argv);
    FixNumberFormat();
    QApplication::setApplicationName(QStringLiteral("Tagmora"));
    // TAGMORA_PRINTERS replaces the installed printers by chosen ones.
    InstallStandInPrinterFromEnvironment();
    QStringList args = QApplication::arguments();
    args.removeFirst();
    return cli::Run(args);
}
