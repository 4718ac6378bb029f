// Printing through a real CUPS spooler into the cups-pdf queue "TagmoraPDF":
// the job through Qt Print Support, and tagmora-cli print --printer.
//
// The fixture uses the scheduler and the queue when they exist (CI sets them
// up). Otherwise it starts its own cupsd (as root) and adds the queue, and
// removes both afterwards. Tests on other machines and in parallel processes
// take turns through a lock file. Without root and without a running
// scheduler the tests are skipped, saying why.
#include "engine/LabelDocument.h"
#include "common/BarcodeScan.h"
#include "common/DialogSupport.h"
#include "common/TestSupport.h"
#include "ModalSupport.h"
#include "common/PdfSupport.h"
#include "gui/printing/DesktopPrint.h"
#include "gui/printing/PrintDialog.h"
#include "engine/printing/PrintJob.h"
#include "gui/printing/QtPrinter.h"
#include "engine/printing/SheetLayout.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <csignal>
#include <memory>

namespace {

const QString kQueue = QStringLiteral("TagmoraPDF");
const QString kModel = QStringLiteral("lsb/usr/cups-pdf/CUPS-PDF_opt.ppd");

QString Tool(const QString& name)
{
    const QString found = QStandardPaths::findExecutable(name);
    return found.isEmpty()
               ? QStandardPaths::findExecutable(name, {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin"),
                                                       QStringLiteral("/sbin"), QStringLiteral("/bin")})
               : found;
}

// Runs a program to its end (bounded); its exit code, -1 when it did not run.
int Run(const QString& program, const QStringList& args, QString* output = nullptr)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished(5000);
        return -1;
    }
    if (output)
        *output = QString::fromUtf8(p.readAll());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

// The spooler and queue for one test.
class TCupsSpooler {
public:
    enum class State { Ready, Skip, Broken };

    ~TCupsSpooler() { Stop(); }

    State Start(QString& why)
    {
        const QString lockPath = QDir::temp().filePath(QStringLiteral("tagmora-cups-test.lock"));
        // Read-only is enough for flock, so other users can share a lock file
        // that root created. The scheduler started below must not inherit
        // the lock: it would hold it for every later run.
        FLock = ::open(QFile::encodeName(lockPath).constData(), O_CREAT | O_RDONLY | O_CLOEXEC, 0666);
        if (FLock < 0 || ::flock(FLock, LOCK_EX) != 0) {
            why = QStringLiteral("cannot lock ") + lockPath;
            return State::Broken;
        }
        FLpstat = Tool(QStringLiteral("lpstat"));
        FLpadmin = Tool(QStringLiteral("lpadmin"));
        const QString cupsd = Tool(QStringLiteral("cupsd"));
        if (FLpstat.isEmpty() || FLpadmin.isEmpty() || cupsd.isEmpty() ||
            !QFileInfo::exists(QStringLiteral("/usr/lib/cups/backend/cups-pdf"))) {
            why = QStringLiteral("CUPS or cups-pdf is not installed (scripts/setup.sh installs cups, cups-client "
                                 "and printer-driver-cups-pdf)");
            return State::Skip;
        }
        const bool root = ::geteuid() == 0;
        if (!SchedulerRuns()) {
            if (!root) {
                why = QStringLiteral("no CUPS scheduler is running, and starting one needs root");
                return State::Skip;
            }
            FDaemon = std::make_unique<QProcess>();
            FDaemon->setProcessChannelMode(QProcess::MergedChannels);
            // It ends with the test, also when the test is killed.
            FDaemon->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
            FDaemon->start(cupsd, {QStringLiteral("-f")});
            QElapsedTimer t;
            t.start();
            while (!SchedulerRuns() && t.elapsed() < 30000 && FDaemon->state() != QProcess::NotRunning)
                QThread::msleep(200);
            if (!SchedulerRuns()) {
                FDaemon->waitForFinished(100);
                why = QStringLiteral("cupsd did not start: ") + QString::fromUtf8(FDaemon->readAll());
                return State::Broken;
            }
        }
        if (Run(FLpstat, {QStringLiteral("-p"), kQueue}) != 0) {
            QString out;
            if (Run(FLpadmin, {QStringLiteral("-p"), kQueue, QStringLiteral("-E"), QStringLiteral("-v"),
                               QStringLiteral("cups-pdf:/"), QStringLiteral("-m"), kModel},
                    &out) != 0) {
                why = QStringLiteral("cannot add the queue ") + kQueue + QStringLiteral(": ") + out;
                return root ? State::Broken : State::Skip;
            }
            FAddedQueue = true;
        }
        FindOutputFolders();
        return State::Ready;
    }

    void Stop()
    {
        if (FAddedQueue)
            Run(FLpadmin, {QStringLiteral("-x"), kQueue});
        FAddedQueue = false;
        if (FDaemon) {
            FDaemon->terminate();
            if (!FDaemon->waitForFinished(15000)) {
                FDaemon->kill();
                FDaemon->waitForFinished(5000);
            }
            FDaemon.reset();
        }
        if (FLock >= 0) {
            ::flock(FLock, LOCK_UN);
            ::close(FLock);
            FLock = -1;
        }
    }

    // The PDF cups-pdf wrote for the job of that title (letters, digits and
    // underscores only), once complete; empty when none came within the time.
    QString WaitForOutput(const QString& title, int timeoutMs)
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < timeoutMs) {
            for (const QString& folder : FOutputFolders) {
                const QStringList files = QDir(folder).entryList({QStringLiteral("*.pdf")}, QDir::Files);
                for (const QString& f : files) {
                    const QString path = QDir(folder).filePath(f);
                    // pdfinfo reads only a finished file.
                    if (f.contains(title) && printtest::PdfPageCount(path) > 0)
                        return path;
                }
            }
            QThread::msleep(250);
        }
        return QString();
    }
    QStringList OutputFolders() const { return FOutputFolders; }

private:
    bool SchedulerRuns()
    {
        QString out;
        return Run(FLpstat, {QStringLiteral("-r")}, &out) == 0 && out.contains(QStringLiteral("is running"));
    }

    // cups-pdf writes into "Out" (with ${HOME} and ${USER} of the job's
    // user), or "AnonDirName" for jobs of unknown users.
    void FindOutputFolders()
    {
        QString out = QStringLiteral("/var/spool/cups-pdf/${USER}");
        QString anon = QStringLiteral("/var/spool/cups-pdf/ANONYMOUS");
        QFile conf(QStringLiteral("/etc/cups/cups-pdf.conf"));
        if (conf.open(QIODevice::ReadOnly)) {
            for (const QByteArray& raw : conf.readAll().split('\n')) {
                const QString line = QString::fromUtf8(raw).trimmed();
                if (line.startsWith(QStringLiteral("Out ")))
                    out = line.mid(4).trimmed();
                else if (line.startsWith(QStringLiteral("AnonDirName ")))
                    anon = line.mid(12).trimmed();
            }
        }
        const passwd* pw = ::getpwuid(::geteuid());
        const QString home = pw ? QString::fromLocal8Bit(pw->pw_dir) : QDir::homePath();
        const QString user = pw ? QString::fromLocal8Bit(pw->pw_name) : QString();
        out.replace(QStringLiteral("${HOME}"), home).replace(QStringLiteral("${USER}"), user);
        FOutputFolders = QStringList{out, anon};
    }

    int FLock = -1;
    QString FLpstat, FLpadmin;
    std::unique_ptr<QProcess> FDaemon;
    bool FAddedQueue = false;
    QStringList FOutputFolders;
};

// 20 labels, 3 x 6 per A4 sheet: a text and an EAN-13 bound to the datasheet.
void MakeLabel(TLabelDocument& doc)
{
    doc.Plan().ReadPlan(QStringList{
        "LabelSize 180,130", "LayoutRows 6", "LayoutCols 3", "MarginLeft 0.8", "MarginTop 1", "MarginRight 0.8",
        "MarginBottom 1", "CutMark -1", "LabelCount -1", "PaperSize 9", "PaperOrientation -1",
        "Object Text", "  X1=8", "  Y1=6", "  X2=172", "  Y2=30", "  DataOrigin=1", "  DataExpression=Name", "End",
        "Object Barcode", "  X1=20", "  Y1=36", "  X2=170", "  Y2=120", "  BarType=14", "  CheckSum=-1", "  DataOrigin=1",
        "  DataExpression=Code", "End"});
    TAdvStringGrid& g = doc.Data.StrGrid_Data;
    g.SetColCount(3);
    g.SetRowCount(21);
    g.SetCell(1, 0, u"Name");
    g.SetCell(2, 0, u"Code");
    for (int r = 1; r <= 20; ++r) {
        g.SetCell(1, r, QStringLiteral("Parcel %1").arg(r));
        g.SetCell(2, r, QStringLiteral("4006381%1").arg(r, 5, 10, QLatin1Char('0')));
    }
    doc.Data.BuildPrintGrid();
}

QString UniqueTitle(const char* what)
{
    return QStringLiteral("tagmora_%1_%2_%3")
        .arg(QLatin1String(what))
        .arg(QCoreApplication::applicationPid())
        .arg(QDateTime::currentMSecsSinceEpoch());
}

class PrintCups : public ::testing::Test {
protected:
    TCupsSpooler spooler;
    QStringList outputs;

    void SetUp() override
    {
        QString why;
        switch (spooler.Start(why)) {
        case TCupsSpooler::State::Ready: break;
        case TCupsSpooler::State::Skip: GTEST_SKIP() << why.toStdString();
        case TCupsSpooler::State::Broken: FAIL() << why.toStdString();
        }
    }
    void TearDown() override
    {
        for (const QString& f : outputs)
            QFile::remove(f);
        spooler.Stop();
    }
};

}  // namespace

TEST_F(PrintCups, TheJobPrintsThroughQtPrintSupport)
{
    TQtPrinter qt;
    TScopedPrinter guard(qt);
    ASSERT_TRUE(qt.Printers().contains(kQueue)) << qt.Printers().join(", ").toStdString();
    testsupport::ScopedDialogs dialogs;
    TLabelDocument doc;
    MakeLabel(doc);
    TPrintRequest request;
    request.PrinterName = kQueue;
    request.Title = UniqueTitle("qt");
    const TPrintOutcome out = PrintLabels(doc.Plan(), doc.Data, request);
    EXPECT_EQ(out.Status, TPrintStatus::Printed);
    EXPECT_EQ(out.Painted, 20);
    EXPECT_EQ(out.Pages, 2);
    EXPECT_GT(doc.Plan().PntDPI, 0);

    const QString pdf = spooler.WaitForOutput(request.Title, 90000);
    ASSERT_FALSE(pdf.isEmpty()) << "no PDF in " << spooler.OutputFolders().join(", ").toStdString();
    outputs << pdf;
    EXPECT_EQ(printtest::PdfPageCount(pdf), 2);

    // The spooler's PDF read back at 300 dpi: every barcode at its place, the
    // places laid out from the printable area's corner.
    if (!testsupport::ScanAvailable())
        return;
    const int dpi = doc.Plan().PntDPI;
    const QList<QImage> pages = printtest::RenderPdfPages(pdf, 300);
    ASSERT_EQ(pages.size(), 2);
    TSheetLayout layout = SheetLayoutOf(doc.Plan(), 300, pages[0].size());
    const QPoint corner = qt.PrintableArea().topLeft() * 300 / dpi;
    layout.ML += corner.x();
    layout.MT += corner.y();
    QStringList expected, read;
    for (int r = 1; r <= 20; ++r)
        expected << doc.Data.StrGrid_Data.Cells(2, r);
    read << printtest::DecodeLabelPlaces(pages[0], layout, 1, 18) << printtest::DecodeLabelPlaces(pages[1], layout, 19, 20);
    for (QString& t : read)
        t.chop(1);  // the check digit
    EXPECT_EQ(read.join(' ').toStdString(), expected.join(' ').toStdString());
}

TEST_F(PrintCups, TheCommandLinePrintsToANamedQueue)
{
    QTemporaryDir dir;
    const QString title = UniqueTitle("cli");
    const QString file = dir.filePath(title + ".blf");
    {
        TLabelDocument doc;
        MakeLabel(doc);
        doc.Save(file);
    }
    const testsupport::CliResult r = testsupport::RunCli({"print", file, "--printer", kQueue, "--pages", "2-2"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_TRUE(r.err.contains("2 labels on 1 page")) << r.err.constData();

    const QString pdf = spooler.WaitForOutput(title, 90000);
    ASSERT_FALSE(pdf.isEmpty()) << "no PDF in " << spooler.OutputFolders().join(", ").toStdString();
    outputs << pdf;
    EXPECT_EQ(printtest::PdfPageCount(pdf), 1);
}

TEST_F(PrintCups, ThePrintCommandPrintsTheChosenPagesOnTheDocumentsPrinter)
{
    TQtPrinter qt;
    TScopedPrinter guard(qt);
    testsupport::ScopedDialogs dialogs;
    QTemporaryDir dir;
    TLabelDocument doc;
    MakeLabel(doc);
    doc.Plan().OutputPrinter = int(qt.Printers().indexOf(kQueue));
    ASSERT_GE(doc.Plan().OutputPrinter, 0);
    const QString title = UniqueTitle("desktop");
    doc.SetFileName(dir.filePath(title + ".blf"));
    QString shown;
    printtest::WhenModal<TFM_Print>([&](TFM_Print* d) {
        shown = d->Lab_PrinterName->text();
        d->Rdio_Pages->setChecked(true);
        d->Edt_From->setText("2");
        d->Edt_To->setText("2");
        d->Btn_OK->click();
    });
    QWidget window;
    EXPECT_EQ(PrintDocument(doc, {}, &window), TPrintStatus::Printed);
    EXPECT_EQ(shown, "Name:           " + kQueue);
    EXPECT_TRUE(dialogs.dialogs.messages.isEmpty());

    const QString pdf = spooler.WaitForOutput(title, 90000);
    ASSERT_FALSE(pdf.isEmpty()) << "no PDF in " << spooler.OutputFolders().join(", ").toStdString();
    outputs << pdf;
    ASSERT_EQ(printtest::PdfPageCount(pdf), 1);
    if (!testsupport::ScanAvailable())
        return;
    // Page 2 holds labels 19 and 20 in the first two places.
    const QList<QImage> pages = printtest::RenderPdfPages(pdf, 300);
    ASSERT_EQ(pages.size(), 1);
    TSheetLayout layout = SheetLayoutOf(doc.Plan(), 300, pages[0].size());
    const QPoint corner = qt.PrintableArea().topLeft() * 300 / doc.Plan().PntDPI;
    layout.ML += corner.x();
    layout.MT += corner.y();
    QStringList read = printtest::DecodeLabelPlaces(pages[0], layout, 1, 2);
    for (QString& t : read)
        t.chop(1);  // the check digit
    EXPECT_EQ(read, (QStringList{doc.Data.StrGrid_Data.Cells(2, 19), doc.Data.StrGrid_Data.Cells(2, 20)}));
}

namespace {

// A queue of the test's own that rejects jobs, removed again afterwards.
class TRejectingQueue {
public:
    static inline const QString Name = QStringLiteral("TagmoraRejecting");

    explicit TRejectingQueue(const QString& reason)
    {
        const QString lpadmin = Tool(QStringLiteral("lpadmin"));
        const QString cupsreject = Tool(QStringLiteral("cupsreject"));
        if (cupsreject.isEmpty() || Run(lpadmin, {"-p", Name, "-E", "-v", "cups-pdf:/", "-m", kModel}, &FWhy) != 0)
            return;
        FAdded = true;
        FReady = Run(cupsreject, {"-r", reason, Name}, &FWhy) == 0;
    }
    ~TRejectingQueue()
    {
        if (FAdded)
            Run(Tool(QStringLiteral("lpadmin")), {"-x", Name});
    }
    // Empty when the queue rejects jobs, else why it could not be set up.
    QString Unavailable() const { return FReady ? QString() : QStringLiteral("cannot add a rejecting queue: ") + FWhy; }

private:
    bool FAdded = false;
    bool FReady = false;
    QString FWhy;
};

}  // namespace

// No job, no success: the command line fails and the desktop program says
// why, in the spooler's words.
TEST_F(PrintCups, AQueueThatRejectsJobsFailsWithTheSpoolersReason)
{
    TRejectingQueue queue(QStringLiteral("Out of labels"));
    if (!queue.Unavailable().isEmpty())
        GTEST_SKIP() << queue.Unavailable().toStdString();
    QTemporaryDir dir;
    TLabelDocument doc;
    MakeLabel(doc);
    doc.Save(dir.filePath("rejected.blf"));

    const testsupport::CliResult r =
        testsupport::RunCli({"print", dir.filePath("rejected.blf"), "--printer", TRejectingQueue::Name});
    EXPECT_EQ(r.exitCode, 1);
    const QString name = TRejectingQueue::Name;
    EXPECT_TRUE(QString::fromUtf8(r.err).startsWith(
        QStringLiteral("tagmora-cli print: %1: The printer %1 did not take the job: ").arg(name)))
        << r.err.constData();
    EXPECT_TRUE(r.err.contains("not accepting jobs") && r.err.contains("Out of labels")) << r.err.constData();
    EXPECT_EQ(r.err.count('\n'), 1) << r.err.constData();

    TQtPrinter qt;
    TScopedPrinter guard(qt);
    testsupport::ScopedDialogs dialogs;
    doc.Plan().OutputPrinter = int(qt.Printers().indexOf(TRejectingQueue::Name));
    ASSERT_GE(doc.Plan().OutputPrinter, 0);
    printtest::WhenModal<TFM_Print>([](TFM_Print* d) { d->Btn_OK->click(); });
    QWidget window;
    EXPECT_EQ(PrintDocument(doc, {}, &window), TPrintStatus::Failed);
    ASSERT_EQ(dialogs.dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.dialogs.messages[0].type, TMsgDlgType::mtError);
    EXPECT_TRUE(dialogs.dialogs.messages[0].text.contains("Out of labels"))
        << dialogs.dialogs.messages[0].text.toStdString();
}
