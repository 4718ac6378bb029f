// The start-up splash and the About box.
#include "gui/AboutWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

TEST(AboutWindow, SplashShowsOnlyTheArtAndTheAboutBoxTheVersionAndAddresses)
{
    TFM_About about;
    QSignalSpy finished(&about, &TFM_About::SplashFinished);
    about.ShowSplash(10);
    EXPECT_TRUE(about.IsSplash());
    EXPECT_EQ(about.size(), QSize(365, 360));
    EXPECT_TRUE(about.Img_Art->isVisible());
    EXPECT_FALSE(about.Btn_OK->isVisible());
    ASSERT_TRUE(finished.wait(2000));
    EXPECT_FALSE(about.isVisible());

    QTimer::singleShot(0, &about, [&] {
        EXPECT_EQ(about.windowTitle(), QStringLiteral("About"));
        EXPECT_TRUE(about.Lab_Version->isVisible());
        EXPECT_EQ(about.Lab_Version->text(), QStringLiteral("Version: ") + QStringLiteral(TAGMORA_VERSION));
        EXPECT_EQ(about.Lab_Version->accessibleName(), about.Lab_Version->text());
        EXPECT_TRUE(about.Lab_HomePage->text().contains(HomePageUrl()));
        EXPECT_EQ(about.Lab_HomePage->accessibleName(), HomePageUrl());
        EXPECT_TRUE(about.Lab_Maker->text().endsWith(SupportMailAddress()));
        EXPECT_EQ(about.Img_Art->accessibleName(), QStringLiteral("Tagmora"));
        EXPECT_EQ(about.Btn_OK->accessibleName(), QStringLiteral("OK"));
        EXPECT_GE(about.width(), 520);
        about.Btn_OK->click();
    });
    EXPECT_EQ(about.ExecAbout(), int(QDialog::Accepted));
}
