// The keep-on-top pin on a real offscreen window: pictures, clicks, the
// window flag it switches and the stored state.
#include "support/QtPrint.h"
#include "support/TempDir.h"
#include "ui/AlwaysOnTop.h"

#include "config/Ini.h"

#include <QApplication>
#include <QEnterEvent>
#include <QLabel>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace {

using Picture = AlwaysOnTop::Picture;

void click(QWidget* target, QPoint at = QPoint(5, 5))
{
    for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent e(type, at, target->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(target, &e);
    }
}

void hover(QWidget* target, QEvent::Type type)
{
    QEvent event(type);
    QApplication::sendEvent(target, &event);
}

struct PinnedWindow {
    QWidget window;
    AlwaysOnTop* pin = new AlwaysOnTop(&window);
    PinnedWindow()
    {
        window.setGeometry(60, 40, 320, 200);
        window.show();
    }
    QLabel* label(Picture p) const { return pin->pictureLabel(p); }
    bool staysOnTop() const { return window.windowFlags().testFlag(Qt::WindowStaysOnTopHint); }
};

TEST(AlwaysOnTop, StartsUnpinnedWithThreeTippedPictures)
{
    PinnedWindow w;
    EXPECT_FALSE(w.pin->GetIsOnTop());
    EXPECT_EQ(w.pin->visiblePicture(), Picture::Disabled);
    for (Picture p : {Picture::Disabled, Picture::MouseMove, Picture::Enabled}) {
        EXPECT_EQ(w.label(p)->toolTip(), QStringLiteral("Always on top"));
        EXPECT_FALSE(w.label(p)->pixmap().isNull()) << "built-in picture missing";
    }
    QEnterEvent enter(QPointF(3, 3), QPointF(3, 3), w.pin->mapToGlobal(QPointF(3, 3)));
    QApplication::sendEvent(w.pin, &enter);  // anywhere over the control
    EXPECT_EQ(w.pin->visiblePicture(), Picture::MouseMove);
    hover(w.pin, QEvent::Leave);
    EXPECT_EQ(w.pin->visiblePicture(), Picture::Disabled);
}

TEST(AlwaysOnTop, ClickingTwiceReturnsTheWindowToNormal)
{
    PinnedWindow w;
    const QRect geometry = w.window.geometry();
    QList<bool> changes;
    QObject::connect(w.pin, &AlwaysOnTop::onTopChanged, [&](bool on) { changes.append(on); });

    hover(w.label(Picture::Disabled), QEvent::Enter);
    EXPECT_EQ(w.pin->visiblePicture(), Picture::MouseMove);
    click(w.label(Picture::MouseMove), QPoint(200, 200));  // released outside: no click
    EXPECT_FALSE(w.pin->GetIsOnTop());
    click(w.label(Picture::MouseMove));
    EXPECT_TRUE(w.pin->GetIsOnTop());
    EXPECT_EQ(w.pin->visiblePicture(), Picture::Enabled);
    EXPECT_TRUE(w.staysOnTop());
    EXPECT_TRUE(w.window.isVisible());
    EXPECT_EQ(w.window.geometry(), geometry);  // neither moved nor resized

    click(w.label(Picture::Enabled));
    EXPECT_FALSE(w.pin->GetIsOnTop());
    EXPECT_EQ(w.pin->visiblePicture(), Picture::MouseMove);  // the mouse is still over it
    EXPECT_FALSE(w.staysOnTop());
    EXPECT_TRUE(w.window.isVisible());
    EXPECT_EQ(w.window.geometry(), geometry);
    hover(w.label(Picture::MouseMove), QEvent::Leave);
    EXPECT_EQ(w.pin->visiblePicture(), Picture::Disabled);
    EXPECT_EQ(changes, (QList<bool>{true, false}));
}

TEST(AlwaysOnTop, PinStateIsStoredAndRestored)
{
    TempDir dir;
    const QString ini = dir.file(QStringLiteral("arvex.ini"));
    const auto stored = [&] {
        return GetPrivateProfileString(QStringLiteral("AlwaysOnTop"), QStringLiteral("OnTop"), ini);
    };
    {
        PinnedWindow w;
        w.pin->SetToTop();  // no settings file yet: nothing written
        EXPECT_FALSE(QFileInfo::exists(ini));
        w.pin->setSettingsFile(ini);
        w.pin->SetToNormal();
        click(w.label(Picture::MouseMove));
        EXPECT_EQ(stored(), QStringLiteral("True"));
    }
    PinnedWindow restored;
    restored.pin->setSettingsFile(ini);
    restored.pin->LoadSettings();
    EXPECT_TRUE(restored.pin->GetIsOnTop());
    EXPECT_TRUE(restored.staysOnTop());
    EXPECT_EQ(restored.pin->visiblePicture(), Picture::Enabled);

    WriteIniValue(QStringLiteral("AlwaysOnTop"), QStringLiteral("OnTop"), QStringLiteral("maybe"), ini, true);
    restored.pin->LoadSettings();  // anything but "True" is unpinned
    EXPECT_FALSE(restored.pin->GetIsOnTop());
    EXPECT_FALSE(restored.staysOnTop());
    EXPECT_EQ(restored.pin->visiblePicture(), Picture::Disabled);
}

} // namespace
