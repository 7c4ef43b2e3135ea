// The loading screen: title cut, pictures from the skin folder, rounded
// corners, the countdown, closing on a click, the end button.
#include "ui/LoadingInfo.h"
#include "support/TempDir.h"

#include <QGuiApplication>
#include <QImage>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

void savePicture(const QString& path, QColor colour)
{
    QImage img(8, 8, QImage::Format_RGB32);
    img.fill(colour);
    img.save(path, "PNG");
}

TEST(LoadingInfo, NamesTheGameInItsFirst30CharactersOnTopWithoutBorder)
{
    LoadingInfoLook look;
    look.gameName = QStringLiteral("123456789012345678901234567890123456789012345");
    look.german = true;
    LoadingInfo german(look);
    EXPECT_EQ(german.titleText(), QStringLiteral("123456789012345678901234567890"));
    EXPECT_EQ(german.messageText(), QStringLiteral("Bitte warten...\r\rLade:"));
    EXPECT_TRUE(german.windowFlags().testFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint));
    // Centred on the screen.
    EXPECT_EQ(german.geometry().center(), QGuiApplication::primaryScreen()->availableGeometry().center());
    look.german = false;
    EXPECT_EQ(LoadingInfo(look).messageText(), QStringLiteral("Please wait...\r\rLoading:"));
}

TEST(LoadingInfo, PreviewWinsOverTheSkinsLoadingPictureAndNoneLeavesItEmpty)
{
    TempDir dir;
    LoadingInfoLook look;
    look.skinFolder = dir.mkdir(QStringLiteral("Skin"));
    EXPECT_TRUE(LoadingInfo(look).gameImage().isNull());
    EXPECT_FALSE(LoadingInfo(look).hasBackground());
    savePicture(dir.file(QStringLiteral("Skin/loading.PNG")), Qt::red);
    savePicture(dir.file(QStringLiteral("Skin/Settings.png")), Qt::blue);
    EXPECT_EQ(LoadingInfo(look).gameImage().toImage().pixelColor(0, 0), QColor(Qt::red));
    EXPECT_TRUE(LoadingInfo(look).hasBackground());
    QPixmap preview(4, 4);
    preview.fill(Qt::green);
    look.gamePicture = preview;
    EXPECT_EQ(LoadingInfo(look).gameImage().toImage().pixelColor(0, 0), QColor(Qt::green));
    dir.write(QStringLiteral("Skin/loading.PNG"), "not a picture"); // unreadable: stays empty
    look.gamePicture = QPixmap();
    EXPECT_TRUE(LoadingInfo(look).gameImage().isNull());
}

TEST(LoadingInfo, CornersAreRoundedWith40PixelEllipses)
{
    LoadingInfo w{LoadingInfoLook{}};
    const QRegion mask = w.mask();
    const QRect r = w.rect();
    EXPECT_TRUE(mask.contains(r.center()));
    EXPECT_FALSE(mask.contains(QPoint(1, 1)));
    EXPECT_FALSE(mask.contains(QPoint(r.right() - 1, r.bottom() - 1)));
    EXPECT_TRUE(mask.contains(QPoint(r.width() / 2, 1)));
    EXPECT_TRUE(mask.contains(QPoint(1, r.height() / 2)));
}

TEST(LoadingInfo, ClosesOnTheTickThatReachesItsSeconds)
{
    LoadingInfoLook look;
    look.displaySeconds = 3;
    QPointer<LoadingInfo> w = new LoadingInfo(look);
    w->show();
    w->Timer1_Timer();
    w->Timer1_Timer();
    ASSERT_TRUE(w && w->isVisible());
    w->Timer1_Timer();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.isNull());
    look.displaySeconds = 1; // its own timer runs without being driven
    w = new LoadingInfo(look);
    w->show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.isNull(); }, 3000));
}

TEST(LoadingInfo, ClickAnywhereClosesTheEndButtonEndsTheGame)
{
    for (bool endButton : {false, true}) {
        QPointer<LoadingInfo> w = new LoadingInfo(LoadingInfoLook{});
        w->show();
        QSignalSpy end(w.data(), &LoadingInfo::endGameRequested);
        if (endButton)
            w->Command1_Click();
        else
            QTest::mouseClick(w.data(), Qt::LeftButton, {}, w->rect().center());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(w.isNull());
        EXPECT_EQ(end.count(), endButton ? 1 : 0);
    }
}

} // namespace
