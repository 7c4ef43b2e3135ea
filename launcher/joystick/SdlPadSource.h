#pragma once
// SdlPadSource: game controllers through the SDL2 joystick API. Only the
// joystick subsystem is started (no video, no audio, no signal handlers of
// SDL's own, no SDL event queue), so it lives quietly beside Qt.
// Mapping onto the launcher's units:
//  - axis values -32768 .. 32767 become 0 .. 65535 (add 32768);
//  - X, Y are SDL axes 0 and 1; the first hat, when pressed, counts as a
//    full deflection of X/Y (digital pads that report their D-pad as a hat);
//  - Rz, the right stick's horizontal axis, is SDL axis 3 on devices with at
//    least four axes (evdev order X, Y, Z/trigger, RX); devices with fewer
//    axes report Rz at rest;
//  - button n (1-based) is SDL button n - 1.
// The subsystem is reference-counted by SDL: stop() ends it only when no
// one else holds it, which is what lets tests keep virtual devices attached
// across re-initialisations. UI thread only.
#include "joystick/PadSource.h"

#include <vector>

struct _SDL_Joystick;

class SdlPadSource final : public PadSource {
public:
    // Axis index used as Rz when the device has more axes than that.
    static constexpr int kRightStickHorizontalAxis = 3;

    SdlPadSource() = default;
    ~SdlPadSource() override;
    SdlPadSource(const SdlPadSource&) = delete;
    SdlPadSource& operator=(const SdlPadSource&) = delete;

    bool start() override;
    void stop() override;
    int count() override;
    QString name(int index) override;
    bool open(int index) override;
    int buttonCount(int index) override;
    void update() override;
    bool read(int index, PadState& state) override;
    void closeAll() override;

private:
    struct Device {
        _SDL_Joystick* handle = nullptr;
        int axes = 0;
        int hats = 0;
        int buttons = 0;
    };
    std::vector<Device> m_devices;
    bool m_started = false;
};
