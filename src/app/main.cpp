// Entry point of the Tagmora desktop program.
#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tagmora"));
    return 0;
}
