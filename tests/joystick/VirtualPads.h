#pragma once
// Virtual SDL joysticks: the real SDL code path without devices. The holder
// keeps its own reference on SDL's joystick subsystem so the devices survive
// the launcher releasing and re-opening the pads.
#include <SDL.h>
#include <gtest/gtest.h>

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
        while (!m_pads.empty())
            detach(m_pads.back());
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }
    bool ok() const { return m_ok; }

    SDL_Joystick* attach(const char* name, int axes = 4, int buttons = 20, int hats = 1)
    {
        SDL_VirtualJoystickDesc d;
        SDL_zero(d);
        d.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        d.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        d.naxes = Uint16(axes);
        d.nbuttons = Uint16(buttons);
        d.nhats = Uint16(hats);
        d.name = name;
        SDL_Joystick* js = SDL_JoystickOpen(SDL_JoystickAttachVirtualEx(&d));
        EXPECT_NE(js, nullptr) << SDL_GetError();
        m_pads.push_back(js);
        return js;
    }
    // Unplugs a pad.
    void detach(SDL_Joystick* js)
    {
        for (int i = 0; i < SDL_NumJoysticks(); ++i) {
            if (SDL_JoystickGetDeviceInstanceID(i) == SDL_JoystickInstanceID(js))
                SDL_JoystickDetachVirtual(i);
        }
        SDL_JoystickClose(js);
        std::erase(m_pads, js);
    }
    static void axis(SDL_Joystick* js, int a, int v) { SDL_JoystickSetVirtualAxis(js, a, Sint16(v)); }
    static void button(SDL_Joystick* js, int b, bool down) { SDL_JoystickSetVirtualButton(js, b - 1, down); }
    static void hat(SDL_Joystick* js, Uint8 v) { SDL_JoystickSetVirtualHat(js, 0, v); }

private:
    bool m_ok = false;
    std::vector<SDL_Joystick*> m_pads;
};
