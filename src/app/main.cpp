// Entry point of the Tagmora desktop program.
//
// This build holds the label document without its designer window: the
// program fixes its number format, builds the document as a new label, opens
// the label file named on the command line into it (errors are swallowed, the
// document keeps what was read) and ends.
#include "app/LabelDocument.h"
#include "document/ProgramEntry.h"
#include "printing/StandInPrinter.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    FixNumberFormat();
    QApplication::setApplicationName(QStringLiteral("Tagmora"));
    InstallStandInPrinterFromEnvironment();

    TLabelDocument document;
    const QStringList args = QApplication::arguments();
    if (args.size() > 1)
        OpenFileAtStart(args.at(1), document.Plan, document.Data);
    return 0;
}
