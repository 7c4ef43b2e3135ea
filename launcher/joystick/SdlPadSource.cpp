#include "joystick/SdlPadSource.h"

#include <SDL.h>

#include <algorithm>

SdlPadSource::~SdlPadSource()
{
    closeAll();
    stop();
}

bool SdlPadSource::start()
{
    if (m_started)
        return true;
    // SDL would otherwise install its own SIGINT/SIGTERM handlers, taking
    // over how the launcher ends.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // The launcher reads pads while its window is not in front.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0)
        return false;
    // Nobody reads SDL's event queue; states are polled directly.
    SDL_JoystickEventState(SDL_IGNORE);
    m_started = true;
    return true;
}

void SdlPadSource::stop()
{
    if (!m_started)
        return;
    closeAll();
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    m_started = false;
}

int SdlPadSource::count()
{
    if (!m_started)
        return 0;
    // Picks up devices attached or removed since the last look.
    SDL_JoystickUpdate();
    const int n = SDL_NumJoysticks();
    return n < 0 ? 0 : n;
}

QString SdlPadSource::name(int index)
{
    if (!m_started)
        return {};
    const char* n = SDL_JoystickNameForIndex(index);
    return n ? QString::fromUtf8(n) : QString();
}

bool SdlPadSource::open(int index)
{
    if (!m_started || index < 0)
        return false;
    SDL_Joystick* js = SDL_JoystickOpen(index);
    if (!js)
        return false;
    if (int(m_devices.size()) <= index)
        m_devices.resize(size_t(index) + 1);
    Device& d = m_devices[size_t(index)];
    if (d.handle && d.handle != js)
        SDL_JoystickClose(d.handle);
    d.handle = js;
    d.axes = std::max(0, SDL_JoystickNumAxes(js));
    d.hats = std::max(0, SDL_JoystickNumHats(js));
    d.buttons = std::max(0, SDL_JoystickNumButtons(js));
    return true;
}

int SdlPadSource::buttonCount(int index)
{
    if (index < 0 || index >= int(m_devices.size()) || !m_devices[size_t(index)].handle)
        return 0;
    return m_devices[size_t(index)].buttons;
}

void SdlPadSource::update()
{
    if (m_started)
        SDL_JoystickUpdate();
}

bool SdlPadSource::read(int index, PadState& state)
{
    state = PadState();
    if (index < 0 || index >= int(m_devices.size()))
        return false;
    const Device& d = m_devices[size_t(index)];
    if (!d.handle || !SDL_JoystickGetAttached(d.handle))
        return false;

    const auto axis = [&](int a) {
        return a < d.axes ? qint32(SDL_JoystickGetAxis(d.handle, a)) + PadState::kCentre
                          : qint32(PadState::kCentre);
    };
    state.x = axis(0);
    state.y = axis(1);
    if (d.axes > kRightStickHorizontalAxis)
        state.rz = axis(kRightStickHorizontalAxis);

    if (d.hats > 0) {
        const Uint8 hat = SDL_JoystickGetHat(d.handle, 0);
        if (hat & SDL_HAT_LEFT)
            state.x = 0;
        else if (hat & SDL_HAT_RIGHT)
            state.x = 65535;
        if (hat & SDL_HAT_UP)
            state.y = 0;
        else if (hat & SDL_HAT_DOWN)
            state.y = 65535;
    }

    const int buttons = std::min(d.buttons, PadState::kMaxButtons);
    for (int b = 0; b < buttons; ++b)
        state.buttons[size_t(b)] = SDL_JoystickGetButton(d.handle, b) ? 1 : 0;
    return true;
}

void SdlPadSource::closeAll()
{
    for (Device& d : m_devices) {
        if (d.handle)
            SDL_JoystickClose(d.handle);
    }
    m_devices.clear();
}
