// Entry point of tagmora-cli. It needs no display: without one it runs on the
// offscreen platform plugin.
#include "app/Headless.h"
#include "app/cli/Cli.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    PrepareHeadlessEnvironment();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tagmora"));
    QStringList args = QApplication::arguments();
    args.removeFirst();
    return cli::Run(args);
}
