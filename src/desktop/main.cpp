// Entry point of the Tagmora desktop program: the number format, the texts in
// the desktop's language, the splash, the main window (a new label, or the file
// named on the command line), and after the splash's two seconds the label
// setup for a new label.
//
// TAGMORA_SPLASH_MS overrides the splash time (0: no splash), for scripted
// runs; TAGMORA_STARTUP_TIMING=1 prints the time to the first painted frame,
// TAGMORA_STARTUP_TIMING=exit also ends the program there.
#include "gui/AboutWindow.h"
#include "gui/MainWindow.h"
#include "document/ProgramEntry.h"
#include "document/StandInPrinter.h"

#include "gui/DesktopLanguage.h"
#include "gui/printing/QtPrinter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>

namespace {
// Reports the time from launch to the main window's first paint.
class TFirstPaint : public QObject {
public:
    TFirstPaint(const QElapsedTimer& clock, bool quit) : FClock(clock), FQuit(quit) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !FDone) {
            FDone = true;
            const qint64 ms = FClock.elapsed();
            const bool quit = FQuit;
            QTimer::singleShot(0, [ms, quit] {
                std::fprintf(stderr, "tagmora: first frame after %lld ms\n", ms);
                if (quit)
                    QCoreApplication::exit(0);
            });
        }
        return false;
    }

private:
    const QElapsedTimer& FClock;
    bool FQuit = false;
    bool FDone = false;
};
}  // namespace

int main(int argc, char* argv[])
{
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    FixNumberFormat();
    QApplication::setApplicationName(QStringLiteral("Tagmora"));
    QApplication::setOrganizationName(QStringLiteral("Tavix"));
    InitTagmoraResources();
    InstallTranslations();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tagmora/tagmora.svg")));
    SetDefaultPrinterMaker([] { return std::make_unique<TQtPrinter>(); });
    InstallStandInPrinterFromEnvironment();

    bool splashOk = false;
    int splashMs = qEnvironmentVariableIntValue("TAGMORA_SPLASH_MS", &splashOk);
    if (!splashOk || splashMs < 0)
        splashMs = 2000;

    QApplication::setOverrideCursor(Qt::WaitCursor);
    TFM_About* splash = nullptr;
    if (splashMs > 0) {
        splash = new TFM_About;
        splash->setAttribute(Qt::WA_DeleteOnClose);
        splash->ShowSplash(splashMs);
    }

    TFM_Main window;
    const QString timing = qEnvironmentVariable("TAGMORA_STARTUP_TIMING");
    TFirstPaint firstPaint(clock, timing == QLatin1String("exit"));
    if (timing == QLatin1String("1") || timing == QLatin1String("exit"))
        window.installEventFilter(&firstPaint);
    bool openedAtStart = false;
    const QStringList args = QApplication::arguments();
    if (args.size() > 1)
        openedAtStart = window.OpenAtStart(args.at(1));

    const auto ready = [&window, openedAtStart] {
        QApplication::restoreOverrideCursor();
        window.setEnabled(true);
        window.activateWindow();
        if (!openedAtStart && window.MI_LabelSetup->isEnabled())
            window.LabelSetupClick();
    };
    window.show();
    if (splash) {
        window.setEnabled(false);
        splash->raise();
        QObject::connect(splash, &TFM_About::SplashFinished, &window, ready);
    } else {
        QTimer::singleShot(0, &window, ready);
    }
    return app.exec();
}
