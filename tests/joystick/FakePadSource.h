#pragma once
// A scripted PadSource for the failure paths no real device produces on
// demand (input system that cannot start, a device that cannot be opened).
#include "joystick/PadSource.h"

#include <functional>
#include <vector>

struct FakePad {
    QString name = QStringLiteral("Fake Pad");
    PadState state;
    int buttons = 12;
    bool plugged = true;
    bool failOpen = false;
};

class FakePadSource final : public PadSource {
public:
    std::vector<FakePad> pads;
    bool failStart = false;
    bool started = false;
    int startCount = 0;
    int readCount = 0;
    std::vector<bool> opened;
    std::function<void()> onStart;

    bool start() override
    {
        ++startCount;
        if (onStart)
            onStart();
        if (failStart)
            return false;
        started = true;
        return true;
    }
    void stop() override { started = false; }
    int count() override { return started ? int(pads.size()) : 0; }
    QString name(int i) override { return pads[size_t(i)].name; }
    bool open(int i) override
    {
        if (pads[size_t(i)].failOpen)
            return false;
        opened.resize(pads.size());
        opened[size_t(i)] = true;
        return true;
    }
    int buttonCount(int i) override { return pads[size_t(i)].buttons; }
    void update() override {}
    bool read(int i, PadState& s) override
    {
        ++readCount;
        if (size_t(i) >= pads.size() || !pads[size_t(i)].plugged || size_t(i) >= opened.size()
            || !opened[size_t(i)])
            return false;
        s = pads[size_t(i)].state;
        return true;
    }
    void closeAll() override { opened.assign(opened.size(), false); }
    bool anyOpen() const
    {
        for (bool o : opened)
            if (o)
                return true;
        return false;
    }
};
