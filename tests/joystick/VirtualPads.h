#pragma once
// Virtual SDL joysticks for tests: the real SDL code path without devices.
// The fixture holds its own reference on SDL's joystick subsystem so the
// virtual devices survive the launcher releasing and re-opening the pads.
#include <SDL.h>
#include <gtest/gtest.h>

#include <QString>
#include <vector>

class VirtualPads {
public:
    VirtualPads()
    {
        qputenv("SDL_JOYSTICK_DISABLE_UDEV", "1");
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        SDL_SetHint(SDL_HINT_JOYSTICK_HIDAPI, "0");
        m_ok = SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
    }
    ~VirtualPads()
    {
        for (auto it = m_pads.rbegin(); it != m_pads.rend(); ++it)
            detach(*it);
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }
    bool ok() const { return m_ok; }

    // Attaches a pad and returns its handle for setting values.
    SDL_Joystick* attach(const char* name, int axes = 4, int buttons = 20, int hats = 1)
    {
        SDL_VirtualJoystickDesc desc;
        SDL_zero(desc);
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = Uint16(axes);
        desc.nbuttons = Uint16(buttons);
        desc.nhats = Uint16(hats);
        desc.name = name;
        const int index = SDL_JoystickAttachVirtualEx(&desc);
        EXPECT_GE(index, 0) << SDL_GetError();
        SDL_Joystick* js = SDL_JoystickOpen(index);
        EXPECT_NE(js, nullptr) << SDL_GetError();
        m_pads.push_back(js);
        return js;
    }
    // Unplugs a pad.
    void detach(SDL_Joystick* js)
    {
        if (!js)
            return;
        const SDL_JoystickID id = SDL_JoystickInstanceID(js);
        for (int i = 0; i < SDL_NumJoysticks(); ++i) {
            if (SDL_JoystickGetDeviceInstanceID(i) == id) {
                SDL_JoystickDetachVirtual(i);
                break;
            }
        }
        SDL_JoystickClose(js);
        std::erase(m_pads, js);
    }
    static void axis(SDL_Joystick* js, int a, int v) { SDL_JoystickSetVirtualAxis(js, a, Sint16(v)); }
    static void button(SDL_Joystick* js, int b1, bool down)
    {
        SDL_JoystickSetVirtualButton(js, b1 - 1, down ? 1 : 0);
    }
    static void hat(SDL_Joystick* js, Uint8 v) { SDL_JoystickSetVirtualHat(js, 0, v); }

private:
    bool m_ok = false;
    std::vector<SDL_Joystick*> m_pads;
};
