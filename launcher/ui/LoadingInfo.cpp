#include "ui/LoadingInfo.h"

#include "ui/Skin.h"
#include "ui/WindowUtils.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

LoadingInfo::LoadingInfo(const LoadingInfoLook& look, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Form2"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, look.backColor);
    setPalette(pal);

    m_message = new QLabel(this);
    m_message->setFont(QFont(QStringLiteral("Courier New"), 11));
    m_title = new QLabel(this);
    QFont titleFont(QStringLiteral("Arial"), 14);
    titleFont.setBold(true);
    m_title->setFont(titleFont);
    m_gameImage = new QLabel(this);
    m_gameImage->setFixedSize(200, 150);
    m_gameImage->setScaledContents(true);
    m_icon = new QLabel(this);
    m_icon->setFixedSize(32, 32);
    m_endButton = new QPushButton(this);
    m_endButton->setFixedSize(48, 48);
    m_endButton->setFlat(true);
    m_endButton->setAutoFillBackground(true);

    // 1: colours and the end button's picture.
    QPalette text = m_message->palette();
    text.setColor(QPalette::WindowText, look.textColor);
    m_message->setPalette(text);
    m_title->setPalette(text);
    QPalette button = m_endButton->palette();
    button.setColor(QPalette::Button, look.backColor);
    m_endButton->setPalette(button);
    if (!look.runningPicture.isNull()) {
        m_endButton->setIcon(QIcon(look.runningPicture));
        m_endButton->setIconSize(QSize(40, 40));
    } else {
        m_endButton->setText(QStringLiteral("X"));
    }
    connect(m_endButton, &QPushButton::clicked, this, &LoadingInfo::Command1_Click);

    // 2-3: background and game picture; unreadable files leave them empty.
    m_background = Skin::LoadPicture(Skin::FindPictureFile(look.skinFolder, QStringLiteral("Settings")));
    if (!look.gamePicture.isNull()) {
        m_gameImage->setPixmap(look.gamePicture);
    } else {
        const QPixmap pic = Skin::LoadPicture(Skin::FindPictureFile(look.skinFolder, QStringLiteral("Loading")));
        if (!pic.isNull())
            m_gameImage->setPixmap(pic);
    }

    // 4
    m_displaySeconds = look.displaySeconds;
    m_elapsedSeconds = 0;

    // 6
    if (!look.icon.isNull()) {
        setWindowIcon(look.icon);
        m_icon->setPixmap(look.icon.pixmap(32, 32));
    }
    m_timer = new QTimer(this);
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &LoadingInfo::Timer1_Timer);
    m_timer->start();

    // 7, 9
    m_title->setText(look.gameName.left(kTitleLimit));
    m_message->setText(look.german ? QStringLiteral("Bitte warten...\r\rLade:")
                                   : QStringLiteral("Please wait...\r\rLoading:"));
    // Labels pass clicks to the window, which closes on any click.
    for (QLabel* l : {m_message, m_title, m_gameImage, m_icon})
        l->setAttribute(Qt::WA_TransparentForMouseEvents);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(24, 20, 24, 20);
    grid->addWidget(m_icon, 0, 0, Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(m_message, 0, 1);
    grid->addWidget(m_endButton, 0, 2, Qt::AlignRight | Qt::AlignTop);
    grid->addWidget(m_title, 1, 0, 1, 3);
    grid->addWidget(m_gameImage, 2, 0, 1, 3, Qt::AlignCenter);
    setFixedSize(420, 300);
    // In the middle of the screen, where the eye waits for the game.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    // 5: rounded corners.
    applyRoundedMask();
}

QString LoadingInfo::titleText() const
{
    return m_title->text();
}

QString LoadingInfo::messageText() const
{
    return m_message->text();
}

QPixmap LoadingInfo::gameImage() const
{
    return m_gameImage->pixmap();
}

QPixmap LoadingInfo::endButtonPicture() const
{
    return m_endButton->icon().pixmap(m_endButton->iconSize());
}

void LoadingInfo::Timer1_Timer()
{
    ++m_elapsedSeconds;
    if (m_elapsedSeconds == m_displaySeconds || m_elapsedSeconds >= m_displaySeconds) {
        m_timer->stop();
        close();
    }
}

void LoadingInfo::Command1_Click()
{
    emit endGameRequested();
    close();
}

void LoadingInfo::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    close();
}

void LoadingInfo::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    if (m_background.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(rect(), m_background);
}

void LoadingInfo::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    applyRoundedMask();
}

void LoadingInfo::applyRoundedMask()
{
    RoundWindowCorners(this, kCornerEllipse);
}
