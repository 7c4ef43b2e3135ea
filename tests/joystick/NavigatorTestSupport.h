#pragma once
// A Navigator over a recording host and a scripted pad source, with a real
// global settings file in a temporary folder.
#include "FakeNavigationHost.h"
#include "FakePadSource.h"
#include "support/ScriptedPrompt.h"
#include "support/TempDir.h"

#include "config/Language.h"
#include "joystick/Navigator.h"

#include <memory>

struct NavigatorRig {
    explicit NavigatorRig(int padCount = 0)
    {
        setCurrentLanguage(kLanguageEnglish);
        auto s = std::make_unique<FakePadSource>();
        source = s.get();
        source->pads.resize(size_t(padCount));
        pads = std::make_unique<Joystick>(std::move(s));
        nav = std::make_unique<Navigator>(host, *pads);
        ini = dir.file(QStringLiteral("arvex.ini"));
        nav->setGlobalSettingsFile(ini);
    }
    // Presses button `b` of pad 1 for exactly one timer tick.
    void pressForOneTick(int b)
    {
        source->pads[0].state.buttons[size_t(b - 1)] = 1;
        nav->JoystickTimer_Timer();
        source->pads[0].state.buttons[size_t(b - 1)] = 0;
    }

    TempDir dir;
    QString ini;
    ScriptedPrompt prompt;
    FakeNavigationHost host;
    FakePadSource* source = nullptr;
    std::unique_ptr<Joystick> pads;
    std::unique_ptr<Navigator> nav;
};
