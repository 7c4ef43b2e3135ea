#include "ui/WindowUtils.h"

#include <QApplication>
#include <QBitmap>
#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace {

constexpr Qt::WindowFlags kMinMax = Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint;
// The flags this file switches; all others belong to other parts of the window.
constexpr Qt::WindowFlags kManaged = Qt::WindowType_Mask | Qt::CustomizeWindowHint
    | Qt::FramelessWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | kMinMax;

// Properties kept on the window between toggles.
constexpr char kOriginalFlags[] = "arvexOriginalWindowFlags";
constexpr char kFreeMinSize[] = "arvexFreeMinimumSize";
constexpr char kFreeMaxSize[] = "arvexFreeMaximumSize";

// The flags a window really has: a window without customised hints gets
// Qt's default decorations, which are written out here so that single hints
// can be switched off.
Qt::WindowFlags effectiveFlags(Qt::WindowFlags flags)
{
    if (!(flags & Qt::CustomizeWindowHint) && !(flags & Qt::FramelessWindowHint)) {
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowCloseButtonHint;
        if ((flags & Qt::WindowType_Mask) == Qt::Window)
            flags |= kMinMax;
    }
    return flags;
}

qint32 bitsOf(Qt::WindowFlags flags)
{
    qint32 bits = 0;
    if ((flags & kMinMax) == kMinMax)
        bits |= kStyleResizableFrame;
    if ((flags & Qt::WindowType_Mask) == Qt::Tool)
        bits |= kStyleToolWindow;
    return bits;
}

// Re-applies flags: Qt hides a window whose flags change, so a visible one
// is shown again at the same place.
void applyFlags(QWidget* w, Qt::WindowFlags flags)
{
    const bool visible = w->isVisible();
    const QRect geometry = w->geometry();
    if (flags != w->windowFlags())
        w->setWindowFlags(flags);
    if (visible) {
        w->setGeometry(geometry);
        w->show();
    }
}

// Follows the mouse with a window until the button is released, for window
// systems that cannot move windows themselves.
class ManualDrag : public QObject {
public:
    ManualDrag(QWidget* window, QPoint grabOffset)
        : QObject(window), m_window(window), m_offset(grabOffset)
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (!m_window) {
            deleteLater();
            return false;
        }
        if (event->type() == QEvent::MouseMove) {
            const auto* me = static_cast<QMouseEvent*>(event);
            m_window->move(me->globalPosition().toPoint() - m_offset);
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            qApp->removeEventFilter(this);
            deleteLater();
            return false;
        }
        return false;
    }

private:
    QPointer<QWidget> m_window;
    QPoint m_offset;
};

} // namespace

qint32 BorderStyleBits(const QWidget* window)
{
    return window ? bitsOf(effectiveFlags(window->window()->windowFlags())) : 0;
}

void ChangeBorderstyle(QWidget* window, qint32 mode)
{
    if (!window)
        return;
    QWidget* w = window->window();
    qint32 toggle = 0;
    if (mode == 1 || mode == 3)
        toggle |= kStyleResizableFrame;
    if (mode == 2 || mode == 3)
        toggle |= kStyleToolWindow;

    if (!w->property(kOriginalFlags).isValid())
        w->setProperty(kOriginalFlags, w->windowFlags().toInt());
    const Qt::WindowFlags original = Qt::WindowFlags::fromInt(w->property(kOriginalFlags).toInt());

    Qt::WindowFlags flags = effectiveFlags(w->windowFlags());
    if (toggle & kStyleResizableFrame) {
        if ((flags & kMinMax) == kMinMax)
            flags &= ~kMinMax;
        else if (flags & Qt::FramelessWindowHint)
            flags |= kMinMax;  // Qt would drop "frameless" for customised min/max hints
        else
            flags |= kMinMax | Qt::CustomizeWindowHint;
    }
    if (toggle & kStyleToolWindow) {
        const Qt::WindowFlags type = flags & Qt::WindowType_Mask;
        flags &= ~Qt::WindowType_Mask;
        if (type == Qt::Tool) {
            // Back to the kind of window it was before it became a tool window.
            const Qt::WindowFlags before = original & Qt::WindowType_Mask;
            flags |= before == Qt::Tool ? Qt::Window : before;
        } else {
            flags |= Qt::Tool;
        }
    }
    // Back at the decorations it started with: restore its own decoration
    // flags exactly rather than the written-out equivalent. Flags that others
    // manage (stay on top, ...) keep their current state.
    const qint32 originalBits = bitsOf(effectiveFlags(original));
    if (bitsOf(flags) == originalBits
        && (flags & Qt::WindowType_Mask) == (original & Qt::WindowType_Mask))
        flags = (original & kManaged) | (flags & ~kManaged);

    // A window that had a resizable frame and lost it must not be resized by
    // the window manager, which under X11 means equal minimum and maximum
    // sizes. Its free limits are kept for the way back.
    const bool fixSize = (originalBits & kStyleResizableFrame) && !(bitsOf(flags) & kStyleResizableFrame);
    if (fixSize && !w->property(kFreeMinSize).isValid()) {
        w->setProperty(kFreeMinSize, w->minimumSize());
        w->setProperty(kFreeMaxSize, w->maximumSize());
        w->setFixedSize(w->size());
    } else if (!fixSize && w->property(kFreeMinSize).isValid()) {
        w->setMinimumSize(w->property(kFreeMinSize).toSize());
        w->setMaximumSize(w->property(kFreeMaxSize).toSize());
        w->setProperty(kFreeMinSize, QVariant());
        w->setProperty(kFreeMaxSize, QVariant());
    }
    applyFlags(w, flags);
}

bool DragWindow(QWidget* widget)
{
    if (!widget)
        return false;
    QWidget* w = widget->window();
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    if (QWindow* handle = w->windowHandle(); handle && handle->startSystemMove())
        return true;
    new ManualDrag(w, QCursor::pos() - w->pos());
    return true;
}

void RoundWindowCorners(QWidget* window, qint32 radius)
{
    if (!window)
        return;
    const QSize size = window->size();
    if (radius <= 0 || size.isEmpty()) {
        window->clearMask();
        return;
    }
    // Corner ellipses `radius` wide: a corner radius of half of it, never
    // more than half the window's shorter side.
    const qreal r = qMin<qreal>(radius / 2.0, qMin(size.width(), size.height()) / 2.0);
    QBitmap mask(size);
    mask.fill(Qt::color0);
    QPainter painter(&mask);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::color1);
    painter.drawRoundedRect(QRect(QPoint(0, 0), size), r, r);
    painter.end();
    window->setMask(mask);
}

int GetCursorX(const QWidget* window)
{
    return window ? QCursor::pos().x() - window->window()->pos().x() : QCursor::pos().x();
}

int GetCursorY(const QWidget* window)
{
    return window ? QCursor::pos().y() - window->window()->pos().y() : QCursor::pos().y();
}
