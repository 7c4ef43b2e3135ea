#pragma once
// Joystick: turns game controllers into navigation events for an owner
// (the main window's Navigator, see Navigator.h).
//
// InitJoysticks opens every attached controller, records each stick's rest
// position and remembers the owner; every PollJoysticks then compares the
// sticks with their rest positions and reports, in device order:
//  - the dominant direction of the main stick (X/Y, or the D-pad), never a
//    diagonal; ties go to the horizontal axis; only deflections beyond the
//    threshold count;
//  - the right stick's horizontal axis (Rz) as Right/Left with panel 2;
//  - every pressed button 1 .. 18 (and not beyond the device's buttons), in
//    ascending order.
// Nothing is remembered between polls: a held stick or button is reported
// again on every poll, so the caller's poll rate is the repeat rate.
// Controllers whose names say they are no pads ("Maus", "Tastatur", "Mouse",
// "Keyboard", names beginning "HID-", "C-Media", "USB To ") are opened but
// never read.
//
// One set of devices serves the whole program (joysticks()); the main
// window's timer and the button assignment window's timer both poll it.
// UI thread only. Event handlers run synchronously inside PollJoysticks;
// they may release or re-initialise the devices (the poll then stops at
// once) and may let window events run (a poll started meanwhile by a timer
// returns without reading, so a held button cannot fire twice).
#include "joystick/PadSource.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

// Receiver of the pad events (1-based JoystickNr, ButtonNr).
class JoystickOwner {
public:
    virtual ~JoystickOwner() = default;
    // Main stick (JoystickPanelNr 1) or Rz axis (2). `Value` is the deflection.
    virtual void Joystick_Right(int Value, int JoystickNr, int JoystickPanelNr) = 0;
    virtual void Joystick_Left(int Value, int JoystickNr, int JoystickPanelNr) = 0;
    virtual void Joystick_Down(int Value, int JoystickNr, int JoystickPanelNr) = 0;
    virtual void Joystick_UP(int Value, int JoystickNr, int JoystickPanelNr) = 0;
    virtual void Joystick_Button(int JoystickNr, int ButtonNr) = 0;

    // The small status label that shows "Init Joysticks..." while the
    // devices start: its caption, setting it, and making it visible.
    virtual QString statusCaption() const { return {}; }
    virtual void setStatusCaption(const QString& caption) { (void)caption; }
    virtual void showStatusLabel() {}
};

class Joystick {
public:
    static constexpr int kMaxReportedButton = 18;

    explicit Joystick(std::unique_ptr<PadSource> source);
    ~Joystick();
    Joystick(const Joystick&) = delete;
    Joystick& operator=(const Joystick&) = delete;

    // Opens the devices, remembers `owner` and `threshold` (dead zone in
    // axis units, cut to 16 bits) and records the rest positions.
    void InitJoysticks(JoystickOwner* owner, int threshold);
    // Closes every device and forgets the owner.
    void ReleaseJoysticks();
    // Number of usable pads (filtered entries and devices that failed to
    // open are not counted).
    qint16 GetJoystickCount() const;
    // One poll of every device; events go to the owner. Nothing happens
    // without an owner.
    void PollJoysticks();
    // Records the current stick positions as rest positions.
    void CalibrateJoysticks();

    // Every enumerated entry, filtered ones included; 0 while closed.
    qint16 DeviceCount() const { return qint16(m_devices.size()); }
    // Names per device index (0-based); "" for a filtered-out device.
    QStringList DeviceNames() const;
    bool isOpen() const { return m_open; }
    JoystickOwner* owner() const { return m_owner; }

    // True for the names of devices that are no pads.
    static bool isFilteredName(const QString& name);

private:
    struct Device {
        QString name; // "" when filtered out
        bool opened = false;
        int buttonCount = 0;
        qint16 restX = 0, restY = 0, restRz = 0;
    };

    bool OpenJoystickDevices(JoystickOwner* owner);
    void FreeJoystickDevices();
    bool usable(const Device& d) const { return d.opened && !d.name.isEmpty(); }

    std::unique_ptr<PadSource> m_source;
    std::vector<Device> m_devices;
    JoystickOwner* m_owner = nullptr;
    qint16 m_threshold = 2;
    bool m_open = false;
    bool m_polling = false;
    quint64 m_generation = 0; // changes whenever the device set is freed
    PadState m_state;
};

// The program's one set of devices, over SDL.
Joystick& joysticks();
