#include "gui/AboutWindow.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

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

TFM_About::TFM_About(QWidget* parent) : QDialog(parent)
{
    InitTagmoraResources();
    setObjectName(QStringLiteral("TFM_About"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    Img_Art = new QLabel(this);
    Img_Art->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Img_Art->setPixmap(QPixmap(QStringLiteral(":/tagmora/about.svg")));
    Img_Art->setFixedSize(353, 348);
    Img_Art->setScaledContents(true);
    Img_Art->setAccessibleName(tr("Tagmora"));
    layout->addWidget(Img_Art);

    FDetails = new QWidget(this);
    auto* details = new QVBoxLayout(FDetails);
    const QString version = tr("Version: %1").arg(QStringLiteral(TAGMORA_VERSION));
    Lab_Version = new QLabel(version, FDetails);
    QFont big = Lab_Version->font();
    big.setPixelSize(21);
    big.setBold(true);
    Lab_Version->setFont(big);
    Lab_Version->setStyleSheet(QStringLiteral("color: navy"));
    Lab_Version2 = new QLabel(version, FDetails);
    Lab_HomePage = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(HomePageUrl().toHtmlEscaped()), FDetails);
    Lab_HomePage->setTextFormat(Qt::RichText);
    Lab_HomePage->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    Lab_HomePage->setAccessibleName(HomePageUrl());
    connect(Lab_HomePage, &QLabel::linkActivated, this, [] { OpenHomePage(); });
    Lab_Maker = new QLabel(tr("Tagmora label designer\nby Tavix\n\nSupport:\n%1").arg(SupportMailAddress()), FDetails);
    Lab_Maker->setWordWrap(true);
    Btn_OK = new QPushButton(tr("OK"), FDetails);
    Btn_OK->setAccessibleName(tr("OK"));
    connect(Btn_OK, &QPushButton::clicked, this, &QDialog::accept);
    for (QLabel* label : {Lab_Version, Lab_Version2, Lab_Maker})
        label->setAccessibleName(label->text());
    details->addWidget(Lab_Version);
    details->addWidget(Lab_Version2);
    details->addSpacing(8);
    details->addWidget(Lab_HomePage);
    details->addWidget(Lab_Maker);
    details->addStretch(1);
    details->addWidget(Btn_OK, 0, Qt::AlignRight);
    layout->addWidget(FDetails, 1);

    Time_Close = new QTimer(this);
    Time_Close->setSingleShot(true);
    Time_Close->setInterval(2000);
    connect(Time_Close, &QTimer::timeout, this, &TFM_About::SplashTimeout);
}

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
