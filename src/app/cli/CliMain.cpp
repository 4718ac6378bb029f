// Entry point of tagmora-cli. It needs no display: without one it runs on the
// offscreen platform plugin.
#include "app/Headless.h"
#include "app/cli/Cli.h"
#include "document/ProgramEntry.h"
#include "printing/StandInPrinter.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    PrepareHeadlessEnvironment();
    QApplication app(argc, argv);
    FixNumberFormat();
    QApplication::setApplicationName(QStringLiteral("Tagmora"));
    // TAGMORA_PRINTERS replaces the installed printers by chosen ones.
    InstallStandInPrinterFromEnvironment();
    QStringList args = QApplication::arguments();
    args.removeFirst();
    return cli::Run(args);
}
