#include "AlwaysOnTop.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

namespace {

constexpr int kPinSize = 24;

// A drawing pin: grey when off, lit when hovered, red and pressed in when on.
QPixmap pinPicture(AlwaysOnTop::Picture picture)
{
    QPixmap pixmap(kPinSize, kPinSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor head = picture == AlwaysOnTop::Picture::Enabled     ? QColor(0xd0, 0x30, 0x30)
                        : picture == AlwaysOnTop::Picture::MouseMove ? QColor(0x40, 0x80, 0xe0)
                                                                     : QColor(0x90, 0x90, 0x90);
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 2));
    if (picture == AlwaysOnTop::Picture::Enabled) {
        p.drawLine(12, 14, 12, 22);
        p.setBrush(head);
        p.drawEllipse(QRectF(5, 3, 14, 12));
    } else {
        p.drawLine(10, 14, 4, 21);
        p.setBrush(head);
        p.drawEllipse(QRectF(8, 2, 13, 13));
    }
    return pixmap;
}

QLabel* makePicture(QWidget* parent, AlwaysOnTop::Picture picture, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setPixmap(pinPicture(picture));
    label->setToolTip(QStringLiteral("Always on top"));
    label->setGeometry(0, 0, kPinSize, kPinSize);
    label->setAttribute(Qt::WA_Hover);
    return label;
}

} // namespace

AlwaysOnTop::AlwaysOnTop(QWidget* parent) : QWidget(parent)
{
    setFixedSize(kPinSize, kPinSize);
    AOT_Disabled = makePicture(this, Picture::Disabled, "AOT_Disabled");
    AOT_MouseMove = makePicture(this, Picture::MouseMove, "AOT_MouseMove");
    AOT_Enabled = makePicture(this, Picture::Enabled, "AOT_Enabled");
    for (QLabel* label : {AOT_Disabled, AOT_MouseMove, AOT_Enabled})
        label->installEventFilter(this);
    showPicture(Picture::Disabled);
}

QWidget* AlwaysOnTop::targetWindow() { return parentWidget() ? parentWidget()->window() : this; }

void AlwaysOnTop::setStaysOnTop(QWidget* form, bool onTop)
{
    QWidget* w = form ? form->window() : targetWindow();
    if (w->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop)
        return;
    // Changing window flags hides a window; bring it back where it was.
    const bool visible = w->isVisible();
    const QRect geometry = w->geometry();
    w->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (visible) {
        w->setGeometry(geometry);
        w->show();
    }
}

void AlwaysOnTop::SetWindowAlwayOnTop(QWidget* form)
{
    OnTop = true;
    SaveSettings();
    setStaysOnTop(form, true);
}

void AlwaysOnTop::SetWindowBackToNormal(QWidget* form)
{
    OnTop = false;
    SaveSettings();
    setStaysOnTop(form, false);
}

void AlwaysOnTop::SetToTop(bool saveSettings)
{
    showPicture(Picture::Enabled);
    SetWindowAlwayOnTop(targetWindow());
    if (saveSettings)
        SaveSettings();
}

void AlwaysOnTop::SetToNormal(bool saveSettings)
{
    showPicture(Picture::MouseMove);
    SetWindowBackToNormal(targetWindow());
    if (saveSettings)
        SaveSettings();
}

void AlwaysOnTop::LoadSettings()
{
    if (m_saved && !OnTop)
        SetToTop();
    else if (!m_saved && OnTop)
        SetToNormal();
}

AlwaysOnTop::Picture AlwaysOnTop::visiblePicture() const
{
    if (!AOT_Enabled->isHidden())
        return Picture::Enabled;
    return AOT_MouseMove->isHidden() ? Picture::Disabled : Picture::MouseMove;
}

QLabel* AlwaysOnTop::pictureLabel(Picture picture) const
{
    switch (picture) {
    case Picture::Disabled: return AOT_Disabled;
    case Picture::MouseMove: return AOT_MouseMove;
    case Picture::Enabled: return AOT_Enabled;
    }
    return AOT_Disabled;
}

void AlwaysOnTop::showPicture(Picture picture)
{
    AOT_Disabled->setHidden(picture != Picture::Disabled);
    AOT_MouseMove->setHidden(picture != Picture::MouseMove);
    AOT_Enabled->setHidden(picture != Picture::Enabled);
}

void AlwaysOnTop::leaveEvent(QEvent* event)
{
    if (!OnTop)
        showPicture(Picture::Disabled);
    QWidget::leaveEvent(event);
}

bool AlwaysOnTop::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Enter:
    case QEvent::MouseMove:
        if (watched == AOT_Disabled)
            showPicture(Picture::MouseMove);
        break;
    case QEvent::MouseButtonRelease: {
        const auto* me = static_cast<QMouseEvent*>(event);
        const auto* label = static_cast<QLabel*>(watched);
        if (me->button() != Qt::LeftButton || !label->rect().contains(me->position().toPoint()))
            break;
        // The grey pin pins as well: a touch screen never hovers.
        if (watched == AOT_MouseMove || watched == AOT_Disabled)
            SetToTop();
        else if (watched == AOT_Enabled)
            SetToNormal();
        return true;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}
