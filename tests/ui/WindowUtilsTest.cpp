// Window utilities on real offscreen windows: frame toggles that come back to
// where they started, rounded masks, dragging without a window manager, and
// the cursor position relative to a window.
#include "ui/WindowUtils.h"

#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QMouseEvent>
#include <gtest/gtest.h>

#include <memory>

namespace {

void sendMouse(QWidget* target, QEvent::Type type, QPoint global)
{
    QMouseEvent event(type, target->mapFromGlobal(global), global, Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

TEST(ChangeBorderstyle, EveryModeAppliedTwiceRestoresFlagsAndSizeLimits)
{
    const Qt::WindowFlags starts[] = {Qt::Window, Qt::Dialog, Qt::Window | Qt::FramelessWindowHint,
                                      Qt::Tool, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint};
    for (Qt::WindowFlags start : starts) {
        for (int mode : {1, 2, 3}) {
            SCOPED_TRACE(::testing::Message() << std::hex << start.toInt() << ", mode " << mode);
            QWidget w(nullptr, start);
            w.setMinimumSize(120, 90);
            w.setMaximumSize(1900, 1400);
            w.setGeometry(40, 30, 400, 300);
            w.show();
            const Qt::WindowFlags before = w.windowFlags();
            const qint32 bits = BorderStyleBits(&w);

            ChangeBorderstyle(&w, mode);
            const qint32 toggled = (mode & 1 ? kStyleResizableFrame : 0) | (mode & 2 ? kStyleToolWindow : 0);
            EXPECT_EQ(BorderStyleBits(&w), bits ^ toggled);
            EXPECT_TRUE(w.isVisible());
            EXPECT_EQ(w.size(), QSize(400, 300));
            if ((mode & 1) && (bits & kStyleResizableFrame)) {  // frame gone: the size is fixed
                EXPECT_EQ(w.maximumSize(), QSize(400, 300));
            }

            ChangeBorderstyle(&w, mode);
            EXPECT_EQ(w.windowFlags(), before);
            EXPECT_EQ(w.minimumSize(), QSize(120, 90));
            EXPECT_EQ(w.maximumSize(), QSize(1900, 1400));
            EXPECT_TRUE(w.isVisible());
        }
    }
}

TEST(ChangeBorderstyle, OtherModesChangeNothingAndForeignFlagsSurvive)
{
    for (int mode : {0, 4, -1, 0x70000}) {
        QWidget w;
        const Qt::WindowFlags before = w.windowFlags();
        ChangeBorderstyle(&w, mode);
        EXPECT_EQ(w.windowFlags(), before) << mode;
    }
    QWidget w;
    ChangeBorderstyle(&w, 1);
    w.setWindowFlag(Qt::WindowStaysOnTopHint, true);  // the pin, while the frame is off
    ChangeBorderstyle(&w, 1);
    EXPECT_TRUE(w.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(BorderStyleBits(&w), kStyleResizableFrame);
    ChangeBorderstyle(nullptr, 1);
}

TEST(RoundWindowCorners, MasksOnlyTheCorners)
{
    QWidget w;
    w.resize(200, 100);
    RoundWindowCorners(&w, 40);
    for (QPoint out : {QPoint(0, 0), QPoint(199, 0), QPoint(0, 99), QPoint(199, 99), QPoint(3, 3)})
        EXPECT_FALSE(w.mask().contains(out)) << out.x() << "," << out.y();
    for (QPoint in : {QPoint(100, 50), QPoint(100, 0), QPoint(0, 50), QPoint(199, 50), QPoint(20, 20)})
        EXPECT_TRUE(w.mask().contains(in)) << in.x() << "," << in.y();

    RoundWindowCorners(&w, 0);
    EXPECT_TRUE(w.mask().isEmpty());
    RoundWindowCorners(&w, 1000000);  // never larger than the window
    EXPECT_TRUE(w.mask().contains(QPoint(100, 50)));
    QWidget empty;
    empty.resize(0, 0);
    RoundWindowCorners(&empty, 40);
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
    sendMouse(&w, QEvent::MouseButtonRelease, grab + QPoint(40, 25));
    QCoreApplication::processEvents();
    sendMouse(&w, QEvent::MouseMove, grab + QPoint(200, 200));
    EXPECT_EQ(w.pos(), start + QPoint(40, 25));
    EXPECT_FALSE(DragWindow(nullptr));
}

TEST(GetCursor, IsRelativeToTheWindowNotTheChild)
{
    QWidget w;
    w.setGeometry(100, 50, 300, 200);
    w.show();
    auto* child = new QWidget(&w);
    child->setGeometry(20, 20, 10, 10);
    QCursor::setPos(w.pos() + QPoint(130, 70));
    EXPECT_EQ(GetCursorX(&w), 130);
    EXPECT_EQ(GetCursorY(&w), 70);
    EXPECT_EQ(GetCursorX(child), 130);
}

} // namespace
