#pragma once
// Scripted pads for the paths no real device produces on demand (an input
// system that cannot start, a device that cannot be opened), and an owner
// that writes every pad event as a word: "R1/2" = Right from pad 1 on panel
// 2, "B2:3" = button 3 of pad 2.
#include "joystick/Joystick.h"

#include <QStringList>
#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

struct FakePad {
    QString name = QStringLiteral("Fake Pad");
    PadState state;
    int buttons = 12;
    bool failOpen = false;
};

class FakePadSource final : public PadSource {
public:
    std::vector<FakePad> pads;
    std::vector<bool> opened;
    bool failStart = false, started = false;
    int startCount = 0, readCount = 0;
    std::function<void()> onStart;

    bool start() override
    {
        ++startCount;
        if (onStart)
            onStart();
        return started = !failStart;
    }
    void stop() override { started = false; }
    int count() override { return started ? int(pads.size()) : 0; }
    QString name(int i) override { return pads[size_t(i)].name; }
    bool open(int i) override
    {
        opened.resize(pads.size());
        return opened[size_t(i)] = !pads[size_t(i)].failOpen;
    }
    int buttonCount(int i) override { return pads[size_t(i)].buttons; }
    void update() override {}
    bool read(int i, PadState& s) override
    {
        ++readCount;
        if (size_t(i) >= opened.size() || !opened[size_t(i)])
            return false;
        s = pads[size_t(i)].state;
        return true;
    }
    void closeAll() override { opened.assign(opened.size(), false); }
    bool anyOpen() const { return std::find(opened.begin(), opened.end(), true) != opened.end(); }
};

class RecordingOwner : public JoystickOwner {
public:
    QStringList events, captions;
    QString caption = QStringLiteral("old caption");
    std::function<void(const QString&)> onEvent;

    void Joystick_Right(int, int n, int p) override { add(QStringLiteral("R%1/%2").arg(n).arg(p)); }
    void Joystick_Left(int, int n, int p) override { add(QStringLiteral("L%1/%2").arg(n).arg(p)); }
    void Joystick_Down(int, int n, int p) override { add(QStringLiteral("D%1/%2").arg(n).arg(p)); }
    void Joystick_UP(int, int n, int p) override { add(QStringLiteral("U%1/%2").arg(n).arg(p)); }
    void Joystick_Button(int n, int b) override { add(QStringLiteral("B%1:%2").arg(n).arg(b)); }
    QString statusCaption() const override { return caption; }
    void setStatusCaption(const QString& c) override { captions << (caption = c); }
    QStringList take() { return std::exchange(events, {}); }

private:
    void add(const QString& e)
    {
        events << e;
        if (onEvent)
            onEvent(e);
    }
};
