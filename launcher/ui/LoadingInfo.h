#pragma once
// LoadingInfo: the small borderless notice shown while a game starts. It
// names the game (the start history, cut to 30 characters), shows the
// game's preview or the skin's "Loading.*" picture on the skin's
// "Settings.*" background, stays above all windows, has rounded corners,
// and closes itself after DisplaySeconds ticks of one second or on a click.
// Its button ends the starting game: it emits endGameRequested(), on which
// the main window runs AppRunningPicture_Click and shows itself; then the
// notice closes. It never blocks the launch: show() it and go on.
// Created by the main window for LaunchHost::showLoadingScreen() (one at a
// time; it deletes itself when closed). UI thread.
#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QWidget>

class QLabel;
class QPushButton;
class QTimer;

// What the notice takes from the main window.
struct LoadingInfoLook {
    QString gameName;        // Get_CURRENT_PROGRAM_STARTED
    qint16 displaySeconds = 6; // GetTimerTimer
    QPixmap gamePicture;     // the current preview when the preview frame is visible, else null
    QString skinFolder;      // start folder + "Skin/"
    QPixmap runningPicture;  // AppRunningPicture's picture (the end button)
    QColor textColor = Qt::white;          // the small status label's text colour
    QColor backColor = QColor(0x00, 0x52, 0xbc); // the settings panel's back colour
    QIcon icon;              // the main window's icon
    bool german = false;     // interface language
};

class LoadingInfo : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTitleLimit = 30;
    static constexpr int kCornerEllipse = 40;

    explicit LoadingInfo(const LoadingInfoLook& look, QWidget* parent = nullptr);

    qint16 DisplaySeconds() const { return m_displaySeconds; }
    qint16 ElapsedSeconds() const { return m_elapsedSeconds; }
    QString titleText() const;
    QString messageText() const;
    // The picture shown as the game picture (null when none).
    QPixmap gameImage() const;
    // The end button's picture (null when it shows its "X" instead).
    QPixmap endButtonPicture() const;
    bool hasBackground() const { return !m_background.isNull(); }
    // One second passed (Timer1).
    void Timer1_Timer();
    // The end button (Command1).
    void Command1_Click();

signals:
    void endGameRequested();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void applyRoundedMask();

    qint16 m_displaySeconds = 6;
    qint16 m_elapsedSeconds = 0;
    QPixmap m_background;
    QLabel* m_message = nullptr;
    QLabel* m_title = nullptr;
    QLabel* m_gameImage = nullptr;
    QLabel* m_icon = nullptr;
    QPushButton* m_endButton = nullptr;
    QTimer* m_timer = nullptr;
};
