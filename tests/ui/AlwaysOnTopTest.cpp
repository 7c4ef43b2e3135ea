// The keep-on-top pin on a real offscreen window: pictures, clicks, the
// window flag it switches and the stored state.
#include "support/QtPrint.h"
#include "support/TempDir.h"
#include "ui/AlwaysOnTop.h"

#include "config/Ini.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace {

using Picture = AlwaysOnTop::Picture;

void click(QWidget* target, QPoint at = QPoint(5, 5))
{
    const QPoint global = target->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

void hover(QWidget* target, QEvent::Type type)
{
    QEvent event(type);
    QApplication::sendEvent(target, &event);
}

bool staysOnTop(const QWidget& w) { return w.windowFlags().testFlag(Qt::WindowStaysOnTopHint); }

struct PinnedWindow {
    QWidget window;
    AlwaysOnTop* pin;
    PinnedWindow()
    {
        window.setGeometry(60, 40, 320, 200);
        pin = new AlwaysOnTop(&window);
        window.show();
    }
    QLabel* label(Picture p) const { return pin->pictureLabel(p); }
};

TEST(AlwaysOnTop, StartsUnpinnedWithThreeTippedPictures)
{
    PinnedWindow w;
    EXPECT_FALSE(w.pin->GetIsOnTop());
    EXPECT_EQ(w.pin->visiblePicture(), Picture::Disabled);
    EXPECT_EQ(w.pin->targetWindow(), &w.window);
    for (Picture p : {Picture::Disabled, Picture::MouseMove, Picture::Enabled}) {
        EXPECT_EQ(w.label(p)->toolTip(), QStringLiteral("Always on top"));
        EXPECT_FALSE(w.label(p)->pixmap().isNull()) << "built-in picture missing";
    }
    EXPECT_EQ(w.label(Picture::Disabled)->objectName(), QStringLiteral("AOT_Disabled"));
    EXPECT_EQ(w.label(Picture::Enabled)->objectName(), QStringLiteral("AOT_Enabled"));
}

TEST(AlwaysOnTop, HoverSwapsTheGreyPinForTheLitOne)
{
    PinnedWindow w;
    hover(w.label(Picture::Disabled), QEvent::Enter);
    EXPECT_EQ(w.pin->visiblePicture(), Picture::MouseMove);
    hover(w.label(Picture::MouseMove), QEvent::Leave);
    EXPECT_EQ(w.pin->visiblePicture(), Picture::Disabled);
    EXPECT_FALSE(w.pin->GetIsOnTop());
}

TEST(AlwaysOnTop, ClickingTwiceReturnsTheWindowToNormal)
{
    PinnedWindow w;
    const QRect geometry = w.window.geometry();
    QList<bool> changes;
    QObject::connect(w.pin, &AlwaysOnTop::onTopChanged, [&](bool on) { changes.append(on); });

    hover(w.label(Picture::Disabled), QEvent::Enter);
    click(w.label(Picture::MouseMove));
    EXPECT_TRUE(w.pin->GetIsOnTop());
    EXPECT_EQ(w.pin->visiblePicture(), Picture::Enabled);
    EXPECT_TRUE(staysOnTop(w.window));
    EXPECT_TRUE(w.window.isVisible());
    EXPECT_EQ(w.window.geometry(), geometry);  // neither moved nor resized

    click(w.label(Picture::Enabled));
    EXPECT_FALSE(w.pin->GetIsOnTop());
    EXPECT_EQ(w.pin->visiblePicture(), Picture::MouseMove);  // the mouse is still over it
    EXPECT_FALSE(staysOnTop(w.window));
    EXPECT_TRUE(w.window.isVisible());
    EXPECT_EQ(w.window.geometry(), geometry);

    hover(w.label(Picture::MouseMove), QEvent::Leave);
    EXPECT_EQ(w.pin->visiblePicture(), Picture::Disabled);
    EXPECT_EQ(changes, (QList<bool>{true, false}));
}

TEST(AlwaysOnTop, OnlyALeftClickInsideThePinCounts)
{
    PinnedWindow w;
    QLabel* grey = w.label(Picture::Disabled);
    click(grey, QPoint(200, 200));  // released outside
    EXPECT_FALSE(w.pin->GetIsOnTop());
    QMouseEvent right(QEvent::MouseButtonRelease, QPointF(5, 5), grey->mapToGlobal(QPointF(5, 5)),
                      Qt::RightButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(grey, &right);
    EXPECT_FALSE(w.pin->GetIsOnTop());
    click(grey);  // a click without hover first (touch) pins as well
    EXPECT_TRUE(w.pin->GetIsOnTop());
}

TEST(AlwaysOnTop, CallsActOnTheGivenWindowAndLeaveTheFlagAlone)
{
    PinnedWindow w;
    QWidget other;
    w.pin->SetWindowAlwayOnTop(&other);
    EXPECT_TRUE(w.pin->GetIsOnTop());
    EXPECT_TRUE(staysOnTop(other));
    EXPECT_FALSE(staysOnTop(w.window));
    w.pin->SetWindowBackToNormal(&other);
    EXPECT_FALSE(staysOnTop(other));

    w.pin->SetToTop();
    EXPECT_TRUE(staysOnTop(w.window));
    EXPECT_EQ(w.pin->visiblePicture(), Picture::Enabled);
    w.pin->SetToNormal();
    EXPECT_FALSE(staysOnTop(w.window));
    EXPECT_NE(w.pin->visiblePicture(), Picture::Enabled);
}

TEST(AlwaysOnTop, PinStateIsStoredAndRestoredFromTheSettingsFile)
{
    TempDir dir;
    const QString ini = dir.file(QStringLiteral("arvex.ini"));
    {
        PinnedWindow w;
        w.pin->setSettingsFile(ini);
        click(w.label(Picture::Disabled));
        EXPECT_EQ(GetPrivateProfileString(QStringLiteral("AlwaysOnTop"), QStringLiteral("OnTop"), ini),
                  QStringLiteral("True"));
    }
    {
        PinnedWindow w;
        w.pin->setSettingsFile(ini);
        w.pin->LoadSettings();
        EXPECT_TRUE(w.pin->GetIsOnTop());
        EXPECT_TRUE(staysOnTop(w.window));
        EXPECT_EQ(w.pin->visiblePicture(), Picture::Enabled);
        w.pin->SetToNormal(true);
        EXPECT_EQ(GetPrivateProfileString(QStringLiteral("AlwaysOnTop"), QStringLiteral("OnTop"), ini),
                  QStringLiteral("False"));
    }
    {
        PinnedWindow w;
        w.pin->setSettingsFile(ini);
        w.pin->LoadSettings();
        EXPECT_FALSE(w.pin->GetIsOnTop());
        EXPECT_FALSE(staysOnTop(w.window));
        EXPECT_EQ(w.pin->visiblePicture(), Picture::Disabled);
    }
}

TEST(AlwaysOnTop, WithoutSettingsFileNothingIsWritten)
{
    TempDir dir;
    PinnedWindow w;
    w.pin->SetToTop(true);
    w.pin->LoadSettings();  // no file: the state in memory stays
    EXPECT_TRUE(w.pin->GetIsOnTop());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST(AlwaysOnTop, GarbledStoredStateMeansUnpinned)
{
    TempDir dir;
    const QString ini = dir.write(QStringLiteral("arvex.ini"),
                                  "[AlwaysOnTop]\r\nOnTop=maybe\r\n");
    PinnedWindow w;
    w.pin->setSettingsFile(ini);
    w.pin->LoadSettings();
    EXPECT_FALSE(w.pin->GetIsOnTop());
    EXPECT_EQ(w.pin->visiblePicture(), Picture::Disabled);
}

} // namespace
