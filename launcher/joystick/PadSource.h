#pragma once
// PadSource: the input layer under the Joystick module. It lists the
// attached game controllers, opens them and reads their current state in
// the launcher's own units (axes 0 .. 65535 with the centre at 32768, one
// byte per button, non-zero = pressed). The real implementation is
// SdlPadSource; tests may put a scripted source in its place to reach the
// failure paths a real device cannot produce on demand.
// UI thread only; every call returns at once (no waiting for a device).
#include <QString>

#include <array>

struct PadState {
    static constexpr int kCentre = 32768;
    static constexpr int kMaxButtons = 32;
    qint32 x = kCentre;  // left stick horizontal (or D-pad left/right)
    qint32 y = kCentre;  // left stick vertical (or D-pad up/down)
    qint32 rz = kCentre; // right stick horizontal
    std::array<quint8, kMaxButtons> buttons{}; // buttons[0] is button 1
};

class PadSource {
public:
    virtual ~PadSource() = default;

    // Starts the input system; false when it cannot start.
    virtual bool start() = 0;
    // Stops the input system. Devices must have been closed before.
    virtual void stop() = 0;
    // Number of attached devices, enumerated afresh.
    virtual int count() = 0;
    // The device's instance name as the system shows it ("" when unknown).
    virtual QString name(int index) = 0;
    // Opens device `index` (0-based, enumeration order); false on failure.
    virtual bool open(int index) = 0;
    // Number of buttons of an opened device.
    virtual int buttonCount(int index) = 0;
    // Brings the state of every opened device up to date; once per poll.
    virtual void update() = 0;
    // Reads an opened device; false when it is gone (unplugged) or not open.
    virtual bool read(int index, PadState& state) = 0;
    // Closes every opened device.
    virtual void closeAll() = 0;
};
