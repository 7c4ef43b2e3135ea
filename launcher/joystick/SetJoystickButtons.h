#pragma once
// SetJoystickButtons: the button assignment window ("Joystick / Gamepad").
// Opening it starts the collection at once: each of the twelve functions is
// prompted in turn ("n / 12"); a pad button assigns it, a key that types a
// character skips it, Escape or the joystick icon closes the window without
// saving. After the twelfth function the assignments are written to the
// global settings file (Button1 .. Button12) and the window closes; the main
// window reads them at its next LoadSettings.
//
// Buttons arrive through Navigator::buttonForSetup while the window holds
// the navigator in setup mode; its own PollingTimer (100 ms) polls the pads,
// opening them for the time of the window when navigation is off. Closing
// by any means ends setup mode and stops its timers.
//
// The main window opens it modally on a double click on its joystick icon:
//     SetJoystickButtons w(navigator, joysticks(), globalIni, this);
//     w.setIconPixmap(joystickIconPixmap);
//     w.exec();
// The options window connects to closed() to show its Set button again.
// UI thread only.
#include "joystick/ButtonAssignment.h"

#include <QDialog>
#include <QTimer>

class Joystick;
class Navigator;
class QLabel;
class QPushButton;
class QToolButton;

class SetJoystickButtons : public QDialog {
    Q_OBJECT
public:
    static constexpr int kShowInterval = 800;   // ms
    static constexpr int kPollingInterval = 100; // ms

    SetJoystickButtons(Navigator& navigator, Joystick& pads, const QString& globalSettingsFile,
                       QWidget* parent = nullptr);
    ~SetJoystickButtons() override;

    void setIconPixmap(const QPixmap& pixmap);

    // Offers a pad button (1-based) or -2 (skip) for the function prompted now.
    void SetNextButton(int ButtonNr);
    // Starts the collection again from the first function.
    void CalibrateBtn_Click();

    const ButtonAssignment& assignment() const { return m_assignment; }
    QString infoText() const;
    QString hintText() const;
    bool saved() const { return m_saved; }

    void done(int result) override;

signals:
    // The window has closed (saved or not).
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ShowTimer_Timer();
    void PollingTimer_Timer();
    void finishCollection();
    void stopCollecting();

    Navigator& m_navigator;
    Joystick& m_pads;
    QString m_globalFile;
    ButtonAssignment m_assignment;
    QStringList m_Prompts;
    bool m_UiGerman = false;
    bool m_loaded = false;
    bool m_collecting = false;
    bool m_ownPads = false;
    bool m_saved = false;
    bool m_closing = false;

    QLabel* m_InfoLabel = nullptr;
    QLabel* m_Label1 = nullptr;
    QPushButton* m_CalibrateBtn = nullptr;
    QToolButton* m_JoystickIcon = nullptr;
    QTimer m_ShowTimer;
    QTimer m_PollingTimer;
};
