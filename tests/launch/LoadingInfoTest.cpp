// The loading screen: title cut, pictures from the skin folder, rounded
// corners, the countdown, closing on a click, the end button.
#include "ui/LoadingInfo.h"
#include "support/TempDir.h"

#include <QBuffer>
#include <QImage>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QByteArray png(QColor colour)
{
    QImage img(8, 8, QImage::Format_RGB32);
    img.fill(colour);
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return bytes;
}

TEST(LoadingInfo, NamesTheGameInItsFirst30CharactersInTheLanguage)
{
    LoadingInfoLook look;
    look.gameName = QStringLiteral("123456789012345678901234567890123456789012345");
    look.german = true;
    auto* w = new LoadingInfo(look);
    EXPECT_EQ(w->titleText(), QStringLiteral("123456789012345678901234567890"));
    EXPECT_EQ(w->messageText(), QStringLiteral("Bitte warten...\r\rLade:"));
    EXPECT_TRUE(w->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
    delete w;
    look.german = false;
    look.gameName = QStringLiteral("Tetris");
    LoadingInfo english(look);
    EXPECT_EQ(english.titleText(), QStringLiteral("Tetris"));
    EXPECT_EQ(english.messageText(), QStringLiteral("Please wait...\r\rLoading:"));
}

TEST(LoadingInfo, PreviewWinsOverTheSkinsLoadingPictureAndNoneLeavesItEmpty)
{
    TempDir dir;
    LoadingInfoLook look;
    look.skinFolder = dir.mkdir(QStringLiteral("Skin"));
    {
        LoadingInfo none(look);
        EXPECT_TRUE(none.gameImage().isNull());
        EXPECT_FALSE(none.hasBackground());
    }
    dir.write(QStringLiteral("Skin/loading.PNG"), png(Qt::red));
    dir.write(QStringLiteral("Skin/Settings.png"), png(Qt::blue));
    {
        LoadingInfo skin(look);
        ASSERT_FALSE(skin.gameImage().isNull());
        EXPECT_EQ(skin.gameImage().toImage().pixelColor(0, 0), QColor(Qt::red));
        EXPECT_TRUE(skin.hasBackground());
    }
    QPixmap preview(4, 4);
    preview.fill(Qt::green);
    look.gamePicture = preview;
    LoadingInfo withPreview(look);
    EXPECT_EQ(withPreview.gameImage().toImage().pixelColor(0, 0), QColor(Qt::green));
    // An unreadable picture file leaves the picture empty.
    dir.write(QStringLiteral("Skin/Loading.png"), "not a picture");
    dir.write(QStringLiteral("Skin/loading.PNG"), "not a picture");
    look.gamePicture = QPixmap();
    LoadingInfo broken(look);
    EXPECT_TRUE(broken.gameImage().isNull());
}

TEST(LoadingInfo, CornersAreRoundedWith40PixelEllipses)
{
    LoadingInfo w{LoadingInfoLook{}};
    const QRegion mask = w.mask();
    const QRect r = w.rect();
    EXPECT_TRUE(mask.contains(r.center()));
    EXPECT_FALSE(mask.contains(QPoint(1, 1)));
    EXPECT_FALSE(mask.contains(QPoint(r.right() - 1, r.bottom() - 1)));
    EXPECT_TRUE(mask.contains(QPoint(20, 1)) || mask.contains(QPoint(21, 1)));
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
    ASSERT_TRUE(w);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->ElapsedSeconds(), 2);
    w->Timer1_Timer();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.isNull());
    // Its own one-second timer runs without being driven.
    look.displaySeconds = 1;
    w = new LoadingInfo(look);
    w->show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.isNull(); }, 3000));
}

TEST(LoadingInfo, ClickAnywhereClosesTheEndButtonEndsTheGame)
{
    QPointer<LoadingInfo> w = new LoadingInfo(LoadingInfoLook{});
    w->show();
    QSignalSpy spy(w.data(), &LoadingInfo::endGameRequested);
    QTest::mouseClick(w.data(), Qt::LeftButton, {}, w->rect().center());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.isNull());
    EXPECT_EQ(spy.count(), 0);

    w = new LoadingInfo(LoadingInfoLook{});
    w->show();
    QSignalSpy end(w.data(), &LoadingInfo::endGameRequested);
    w->Command1_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(end.count(), 1);
    EXPECT_TRUE(w.isNull());
}

} // namespace
