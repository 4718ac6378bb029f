#include "gui/AboutWindow.h"

#include "gui/ui_AboutWindow.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QUrl>

// TAGMORA_HOME_PAGE and TAGMORA_SUPPORT_MAIL come from the build (CMake cache
// variables of the same names).

void InitTagmoraResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(tagmora);
        return true;
    }();
    (void)done;
}

QString HomePageUrl()
{
    return QStringLiteral(TAGMORA_HOME_PAGE);
}

QString SupportMailAddress()
{
    return QStringLiteral(TAGMORA_SUPPORT_MAIL);
}

void OpenHomePage()
{
    QDesktopServices::openUrl(QUrl(HomePageUrl()));
}

void OpenSupportMail()
{
    QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + SupportMailAddress()));
}

TFM_About::TFM_About(QWidget* parent) : QDialog(parent), FUi(std::make_unique<Ui::TFM_About>())
{
    InitTagmoraResources();
    FUi->setupUi(this);
    Img_Art = FUi->Img_Art;
    Lab_Version = FUi->Lab_Version;
    Lab_Version2 = FUi->Lab_Version2;
    Lab_HomePage = FUi->Lab_HomePage;
    Lab_Maker = FUi->Lab_Maker;
    Btn_OK = FUi->Btn_OK;
    FDetails = FUi->Pnl_Details;

    // The texts carry the build's version and addresses.
    const QString version = tr("Version: %1").arg(QStringLiteral(TAGMORA_VERSION));
    Lab_Version->setText(version);
    QFont big = Lab_Version->font();
    big.setPixelSize(21);
    big.setBold(true);
    Lab_Version->setFont(big);
    Lab_Version2->setText(version);
    Lab_HomePage->setText(QStringLiteral("<a href=\"%1\">%1</a>").arg(HomePageUrl().toHtmlEscaped()));
    Lab_HomePage->setAccessibleName(HomePageUrl());
    Lab_Maker->setText(tr("Tagmora label designer\nby Tavix\n\nSupport:\n%1").arg(SupportMailAddress()));
    for (QLabel* label : {Lab_Version, Lab_Version2, Lab_Maker})
        label->setAccessibleName(label->text());
    connect(Lab_HomePage, &QLabel::linkActivated, this, [] { OpenHomePage(); });
    connect(Btn_OK, &QPushButton::clicked, this, &QDialog::accept);

    Time_Close = new QTimer(this);
    Time_Close->setSingleShot(true);
    Time_Close->setInterval(2000);
    connect(Time_Close, &QTimer::timeout, this, &TFM_About::SplashTimeout);
}

TFM_About::~TFM_About() = default;

static void CentreOnScreen(QWidget* w)
{
    if (QScreen* screen = QGuiApplication::primaryScreen())
        w->move(screen->availableGeometry().center() - QPoint(w->width() / 2, w->height() / 2));
}

void TFM_About::ShowSplash(int intervalMs)
{
    FSplash = true;
    setWindowTitle(QString());
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    FDetails->hide();
    setFixedSize(365, 360);
    CentreOnScreen(this);
    show();
    repaint();
    Time_Close->start(intervalMs);
}

void TFM_About::SplashTimeout()
{
    Time_Close->stop();
    FSplash = false;
    close();
    Q_EMIT SplashFinished();
}

int TFM_About::ExecAbout()
{
    Time_Close->stop();
    FSplash = false;
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint);
    setWindowTitle(tr("About"));
    FDetails->show();
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setFixedSize(QSize(520, 360).expandedTo(sizeHint()));
    CentreOnScreen(this);
    return exec();
}
