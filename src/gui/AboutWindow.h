// TFM_About: the start-up splash (artwork only, closes itself after 2 seconds)
// and the About box (artwork, version, the maker's address, "OK"). The
// layout is the form AboutWindow.ui.
#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class TFM_About;
}

class QLabel;
class QPushButton;
class QTimer;

// Registers the program's icons and artwork (safe to call more than once).
void InitTagmoraResources();

// The maker's addresses (set at configure time).
QString HomePageUrl();
QString SupportMailAddress();
// Opens the home page in the browser / a new mail to the support address.
void OpenHomePage();
void OpenSupportMail();

class TFM_About : public QDialog {
    Q_OBJECT
public:
    explicit TFM_About(QWidget* parent = nullptr);
    ~TFM_About() override;

    // Splash: frameless, centred, 365 x 360, only the artwork; the close
    // timer runs for intervalMs and then emits SplashFinished and closes.
    void ShowSplash(int intervalMs = 2000);
    // About box: caption "About", shown modally until "OK".
    int ExecAbout();
    bool IsSplash() const { return FSplash; }

    // The form's controls.
    QLabel* Img_Art;
    QLabel* Lab_Version;
    QLabel* Lab_Version2;
    QLabel* Lab_HomePage;
    QLabel* Lab_Maker;
    QPushButton* Btn_OK;
    QTimer* Time_Close;

Q_SIGNALS:
    void SplashFinished();

private:
    const std::unique_ptr<Ui::TFM_About> FUi;

    void SplashTimeout();
    QWidget* FDetails;
    bool FSplash = false;
};
