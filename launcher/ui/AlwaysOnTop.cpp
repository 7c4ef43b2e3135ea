#include "ui/AlwaysOnTop.h"

#include "config/Ini.h"
#include "ui/BuiltinPictures.h"

#include <QEnterEvent>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

namespace {

constexpr char kSection[] = "AlwaysOnTop";
constexpr char kKey[] = "OnTop";
constexpr int kPinSize = 24;

QLabel* makePicture(QWidget* parent, const char* resource, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setPixmap(BuiltinPictures::load(resource));
    label->setToolTip(QStringLiteral("Always on top"));
    label->setGeometry(0, 0, kPinSize, kPinSize);
    label->setAlignment(Qt::AlignCenter);
    label->setAttribute(Qt::WA_Hover);
    return label;
}

} // namespace

AlwaysOnTop::AlwaysOnTop(QWidget* parent) : QWidget(parent)
{
    setFixedSize(kPinSize, kPinSize);
    AOT_Disabled = makePicture(this, BuiltinPictures::kPinDisabled, "AOT_Disabled");
    AOT_MouseMove = makePicture(this, BuiltinPictures::kPinMouseMove, "AOT_MouseMove");
    AOT_Enabled = makePicture(this, BuiltinPictures::kPinEnabled, "AOT_Enabled");
    for (QLabel* label : {AOT_Disabled, AOT_MouseMove, AOT_Enabled})
        label->installEventFilter(this);
    showPicture(Picture::Disabled);
}

QWidget* AlwaysOnTop::targetWindow() const
{
    return parentWidget() ? parentWidget()->window() : const_cast<AlwaysOnTop*>(this);
}

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
    const bool changed = !OnTop;
    OnTop = true;
    SaveSettings();
    setStaysOnTop(form, true);
    if (changed)
        emit onTopChanged(true);
}

void AlwaysOnTop::SetWindowBackToNormal(QWidget* form)
{
    const bool changed = OnTop;
    OnTop = false;
    SaveSettings();
    setStaysOnTop(form, false);
    if (changed)
        emit onTopChanged(false);
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

void AlwaysOnTop::SaveSettings()
{
    if (m_settingsFile.isEmpty())
        return;
    WriteIniValue(QString::fromLatin1(kSection), QString::fromLatin1(kKey),
                  OnTop ? QStringLiteral("True") : QStringLiteral("False"), m_settingsFile, true);
}

void AlwaysOnTop::LoadSettings()
{
    if (m_settingsFile.isEmpty())
        return;
    const QString stored = ReadIniValue(QString::fromLatin1(kSection), QString::fromLatin1(kKey),
                                        m_settingsFile, QStringLiteral("False"), false);
    if (stored.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0) {
        SetToTop();
    } else if (OnTop) {
        SetToNormal();
        showPicture(Picture::Disabled);
    }
}

AlwaysOnTop::Picture AlwaysOnTop::visiblePicture() const
{
    if (!AOT_Enabled->isHidden())
        return Picture::Enabled;
    if (!AOT_MouseMove->isHidden())
        return Picture::MouseMove;
    return Picture::Disabled;
}

QLabel* AlwaysOnTop::pictureLabel(Picture picture) const
{
    switch (picture) {
    case Picture::Disabled:
        return AOT_Disabled;
    case Picture::MouseMove:
        return AOT_MouseMove;
    case Picture::Enabled:
        return AOT_Enabled;
    }
    return AOT_Disabled;
}

void AlwaysOnTop::showPicture(Picture picture)
{
    AOT_Disabled->setHidden(picture != Picture::Disabled);
    AOT_MouseMove->setHidden(picture != Picture::MouseMove);
    AOT_Enabled->setHidden(picture != Picture::Enabled);
}

void AlwaysOnTop::enterEvent(QEnterEvent* event)
{
    if (!OnTop)
        showPicture(Picture::MouseMove);
    QWidget::enterEvent(event);
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
    case QEvent::Leave:
        if (watched == AOT_MouseMove && !OnTop)
            showPicture(Picture::Disabled);
        break;
    case QEvent::MouseButtonRelease: {
        const auto* me = static_cast<QMouseEvent*>(event);
        const auto* label = static_cast<QLabel*>(watched);
        if (me->button() != Qt::LeftButton || !label->rect().contains(me->position().toPoint()))
            break;
        // A click on the grey pin (no hover seen, e.g. a touch screen) pins as well.
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
