// Window utilities on real (offscreen) windows: frame toggles that must come
// back to where they started, rounded masks, dragging without a window
// manager, and the cursor position relative to a window.
#include "ui/WindowUtils.h"

#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

struct StartWindow {
    const char* name;
    std::function<std::unique_ptr<QWidget>()> make;
};

const StartWindow kStartWindows[] = {
    {"plain window", [] { return std::make_unique<QWidget>(); }},
    {"dialog", [] { return std::make_unique<QDialog>(); }},
    {"frameless", [] { return std::make_unique<QWidget>(nullptr, Qt::FramelessWindowHint); }},
    {"tool window", [] { return std::make_unique<QWidget>(nullptr, Qt::Tool); }},
    {"customised", [] {
         return std::make_unique<QWidget>(nullptr, Qt::Window | Qt::CustomizeWindowHint
                                                       | Qt::WindowTitleHint);
     }},
};

void sendMouse(QWidget* target, QEvent::Type type, QPoint global)
{
    QMouseEvent event(type, target->mapFromGlobal(global), global, Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

TEST(ChangeBorderstyle, EveryModeAppliedTwiceRestoresFlagsAndSizeLimits)
{
    for (const StartWindow& start : kStartWindows) {
        for (int mode : {1, 2, 3}) {
            SCOPED_TRACE(::testing::Message() << start.name << ", mode " << mode);
            auto w = start.make();
            w->setMinimumSize(120, 90);
            w->setMaximumSize(1900, 1400);
            w->setGeometry(40, 30, 400, 300);
            w->show();
            const Qt::WindowFlags before = w->windowFlags();
            const qint32 bitsBefore = BorderStyleBits(w.get());

            ChangeBorderstyle(w.get(), mode);
            const qint32 toggled = (mode & 1 ? kStyleResizableFrame : 0)
                | (mode & 2 ? kStyleToolWindow : 0);
            EXPECT_EQ(BorderStyleBits(w.get()), bitsBefore ^ toggled);
            EXPECT_TRUE(w->isVisible());
            EXPECT_EQ(w->size(), QSize(400, 300));

            ChangeBorderstyle(w.get(), mode);
            EXPECT_EQ(w->windowFlags(), before);
            EXPECT_EQ(BorderStyleBits(w.get()), bitsBefore);
            EXPECT_EQ(w->minimumSize(), QSize(120, 90));
            EXPECT_EQ(w->maximumSize(), QSize(1900, 1400));
            EXPECT_TRUE(w->isVisible());
        }
    }
}

TEST(ChangeBorderstyle, RemovingTheResizableFrameFixesTheSize)
{
    QWidget w;
    w.resize(500, 320);
    ASSERT_EQ(BorderStyleBits(&w) & kStyleResizableFrame, kStyleResizableFrame);
    ChangeBorderstyle(&w, 1);
    EXPECT_EQ(w.minimumSize(), QSize(500, 320));
    EXPECT_EQ(w.maximumSize(), QSize(500, 320));
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(w.windowFlags() & Qt::CustomizeWindowHint);  // so the missing hints are honoured
}

TEST(ChangeBorderstyle, ModesThreeAndOneAndTwoCombine)
{
    QWidget w;
    const Qt::WindowFlags before = w.windowFlags();
    ChangeBorderstyle(&w, 3);
    EXPECT_EQ(w.windowType(), Qt::Tool);
    ChangeBorderstyle(&w, 1);
    ChangeBorderstyle(&w, 2);
    EXPECT_EQ(w.windowFlags(), before);
}

TEST(ChangeBorderstyle, OtherModesOnlyRecomputeTheFrame)
{
    for (int mode : {0, 4, -1, 0x70000}) {
        QWidget w;
        w.setGeometry(10, 20, 300, 200);
        w.show();
        const Qt::WindowFlags before = w.windowFlags();
        ChangeBorderstyle(&w, mode);
        EXPECT_EQ(w.windowFlags(), before) << mode;
        EXPECT_TRUE(w.isVisible()) << mode;
        EXPECT_EQ(w.size(), QSize(300, 200)) << mode;
    }
    ChangeBorderstyle(nullptr, 1);  // ignored
}

TEST(ChangeBorderstyle, KeepsFlagsThatOthersSetInBetween)
{
    QWidget w;
    ChangeBorderstyle(&w, 1);
    w.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    ChangeBorderstyle(&w, 1);
    EXPECT_TRUE(w.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(BorderStyleBits(&w), kStyleResizableFrame);
}

TEST(ChangeBorderstyle, ActsOnTheTopLevelWindowOfAChild)
{
    QWidget w;
    auto* child = new QWidget(&w);
    ChangeBorderstyle(child, 2);
    EXPECT_EQ(w.windowType(), Qt::Tool);
    EXPECT_FALSE(child->isWindow());
}

TEST(RoundWindowCorners, MasksTheCornersOnly)
{
    QWidget w;
    w.resize(200, 100);
    RoundWindowCorners(&w, 40);
    const QRegion mask = w.mask();
    ASSERT_FALSE(mask.isEmpty());
    for (QPoint corner : {QPoint(0, 0), QPoint(199, 0), QPoint(0, 99), QPoint(199, 99), QPoint(3, 3)})
        EXPECT_FALSE(mask.contains(corner)) << corner.x() << "," << corner.y();
    for (QPoint inside : {QPoint(100, 50), QPoint(100, 0), QPoint(0, 50), QPoint(199, 50),
                          QPoint(20, 20), QPoint(100, 99)})
        EXPECT_TRUE(mask.contains(inside)) << inside.x() << "," << inside.y();
}

TEST(RoundWindowCorners, ZeroRemovesTheMaskAndHugeRadiiStayInside)
{
    QWidget w;
    w.resize(120, 60);
    RoundWindowCorners(&w, 40);
    ASSERT_FALSE(w.mask().isEmpty());
    RoundWindowCorners(&w, 0);
    EXPECT_TRUE(w.mask().isEmpty());

    RoundWindowCorners(&w, 1000000);
    EXPECT_TRUE(w.mask().contains(QPoint(60, 30)));
    EXPECT_FALSE(w.mask().contains(QPoint(0, 0)));

    QWidget empty;
    empty.resize(0, 0);
    RoundWindowCorners(&empty, 40);  // nothing to mask, no crash
    RoundWindowCorners(nullptr, 40);
}

TEST(DragWindow, WindowFollowsTheMouseUntilReleased)
{
    QWidget w;
    w.setGeometry(100, 100, 300, 200);
    w.show();
    const QPoint start = w.pos();
    const QPoint grab = start + QPoint(50, 10);
    QCursor::setPos(grab);

    ASSERT_TRUE(DragWindow(&w));
    // Offscreen there is no window manager: the window must follow the mouse itself.
    sendMouse(&w, QEvent::MouseMove, grab + QPoint(40, 25));
    EXPECT_EQ(w.pos(), start + QPoint(40, 25));
    sendMouse(&w, QEvent::MouseMove, grab + QPoint(-30, 5));
    EXPECT_EQ(w.pos(), start + QPoint(-30, 5));
    sendMouse(&w, QEvent::MouseButtonRelease, grab + QPoint(-30, 5));
    QCoreApplication::processEvents();

    sendMouse(&w, QEvent::MouseMove, grab + QPoint(200, 200));
    EXPECT_EQ(w.pos(), start + QPoint(-30, 5));
    EXPECT_FALSE(DragWindow(nullptr));
}

TEST(DragWindow, WindowClosedDuringTheDragIsNoProblem)
{
    auto w = std::make_unique<QWidget>();
    w->setGeometry(100, 100, 300, 200);
    w->show();
    QCursor::setPos(w->pos() + QPoint(5, 5));
    DragWindow(w.get());
    w.reset();
    QWidget other;
    other.show();
    sendMouse(&other, QEvent::MouseMove, QPoint(10, 10));
    sendMouse(&other, QEvent::MouseButtonRelease, QPoint(10, 10));
    QCoreApplication::processEvents();
}

TEST(GetCursor, IsRelativeToTheWindowsTopLeft)
{
    QWidget w;
    w.setGeometry(100, 50, 300, 200);
    w.show();
    QCursor::setPos(w.pos() + QPoint(130, 70));
    EXPECT_EQ(GetCursorX(&w), 130);
    EXPECT_EQ(GetCursorY(&w), 70);
    auto* child = new QWidget(&w);
    child->setGeometry(20, 20, 10, 10);
    EXPECT_EQ(GetCursorX(child), 130);  // always the window's edge, not the child's
}

} // namespace
