#include "ui/CaptionControls.h"

#include "ui/BuiltinPictures.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QPushButton>
#include <QToolButton>

namespace CaptionControls {

namespace {

QToolButton* pictureButton(QWidget* parent, const char* objectName, const char* picture,
                           const QString& toolTip)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setIcon(QIcon(BuiltinPictures::load(picture)));
    button->setIconSize(QSize(kIconSize, kIconSize));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setToolTip(toolTip);
    return button;
}

} // namespace

QToolButton* makeRunningPicture(QWidget* parent)
{
    QToolButton* button = pictureButton(parent, "AppRunningPicture", BuiltinPictures::kRunning,
                                        QStringLiteral("Emulator Prozess beenden"));
    button->hide();
    return button;
}

QToolButton* makeJoystickIcon(QWidget* parent)
{
    QToolButton* button = pictureButton(parent, "JoystickIcon", BuiltinPictures::kJoystick,
                                        QStringLiteral("Joysticksteuerung aktiv"));
    button->hide();
    return button;
}

QToolButton* makeMinimiseLabel(QWidget* window)
{
    auto* label = new QToolButton(window);
    label->setObjectName(QStringLiteral("Label5"));
    label->setText(QStringLiteral("_"));
    label->setAutoRaise(true);
    label->setFocusPolicy(Qt::NoFocus);
    label->setToolTip(QStringLiteral("Minimieren"));
    QObject::connect(label, &QToolButton::clicked, window, [window] { window->window()->showMinimized(); });
    return label;
}

QPushButton* addStatusRow(QBoxLayout* root, QPushButton* loadingButton)
{
    auto* button = new QPushButton(QString::fromLatin1(kFavouritesAllCaption), loadingButton->parentWidget());
    button->setObjectName(QStringLiteral("FavoritenAlleBtn"));
    button->setFocusPolicy(Qt::NoFocus);
    auto* row = new QHBoxLayout;
    row->addWidget(loadingButton, 1);
    row->addWidget(button);
    root->addLayout(row);
    return button;
}

void applyEnglishToolTips(QToolButton* runningPicture, QToolButton* joystickIcon, QToolButton* minimiseLabel)
{
    runningPicture->setToolTip(QStringLiteral("Kill Emulator process"));
    joystickIcon->setToolTip(QStringLiteral("Joystick / Gamepad navigation aktiv"));
    minimiseLabel->setToolTip(QStringLiteral("Minimize"));
}

} // namespace CaptionControls
