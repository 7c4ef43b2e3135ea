// Joystick figures over SDL virtual pads:
//  - the cost of one PollJoysticks with two pads (stick held, buttons down);
//  - the delay from a button press to its action with the real 140 ms
//    timer, the press falling at a random moment of the timer period.
#include "joystick/FakeNavigationHost.h"

#include "joystick/Joystick.h"
#include "joystick/Navigator.h"
#include "joystick/SdlPadSource.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QRandomGenerator>
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace {

class Pads {
public:
    explicit Pads(int count)
    {
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        SDL_InitSubSystem(SDL_INIT_JOYSTICK);
        for (int i = 0; i < count; ++i) {
            SDL_VirtualJoystickDesc desc;
            SDL_zero(desc);
            desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
            desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
            desc.naxes = 6;
            desc.nbuttons = 16;
            desc.nhats = 1;
            desc.name = "Bench Pad";
            const int index = SDL_JoystickAttachVirtualEx(&desc);
            m_pads.push_back(SDL_JoystickOpen(index));
        }
    }
    ~Pads()
    {
        for (SDL_Joystick* js : m_pads)
            SDL_JoystickClose(js);
        while (SDL_NumJoysticks() > 0)
            SDL_JoystickDetachVirtual(0);
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }
    SDL_Joystick* operator[](int i) const { return m_pads[size_t(i)]; }

private:
    std::vector<SDL_Joystick*> m_pads;
};

class CountingOwner : public JoystickOwner {
public:
    long events = 0;
    void Joystick_Right(int, int, int) override { ++events; }
    void Joystick_Left(int, int, int) override { ++events; }
    void Joystick_Down(int, int, int) override { ++events; }
    void Joystick_UP(int, int, int) override { ++events; }
    void Joystick_Button(int, int) override { ++events; }
};

void BM_PollJoysticks_TwoPads(benchmark::State& state)
{
    Pads pads(2);
    Joystick js(std::make_unique<SdlPadSource>());
    CountingOwner owner;
    js.InitJoysticks(&owner, 2);
    SDL_JoystickSetVirtualAxis(pads[0], 0, 30000);
    SDL_JoystickSetVirtualAxis(pads[1], 3, -30000);
    SDL_JoystickSetVirtualHat(pads[1], 0, SDL_HAT_UP);
    for (int b : {0, 3, 7})
        SDL_JoystickSetVirtualButton(pads[0], b, 1);
    SDL_JoystickSetVirtualButton(pads[1], 1, 1);
    for (auto _ : state)
        js.PollJoysticks();
    state.counters["events_per_poll"] =
        double(owner.events) / double(std::max<benchmark::IterationCount>(1, state.iterations()));
    js.ReleaseJoysticks();
}
BENCHMARK(BM_PollJoysticks_TwoPads)->Unit(benchmark::kMicrosecond);

void BM_ButtonPressToAction(benchmark::State& state)
{
    Pads pads(1);
    Joystick js(std::make_unique<SdlPadSource>());
    FakeNavigationHost host;
    Navigator nav(host, js);
    nav.JoystickEnable(true);
    if (!nav.isEnabled()) {
        state.SkipWithError("no pad found");
        return;
    }
    host.focusArea = Focus::Favourites;

    QElapsedTimer clock;
    qint64 pressedAt = 0;
    qint64 actedAt = -1;
    QEventLoop waitForAction;
    host.onAction = [&] {
        if (actedAt < 0) {
            actedAt = clock.nsecsElapsed();
            waitForAction.quit();
        }
    };
    clock.start();
    std::vector<double> delays;
    for (auto _ : state) {
        // Let a random part of the timer period pass before the press,
        // waiting in the event loop as the launcher does.
        const int phase = int(QRandomGenerator::global()->bounded(Navigator::kTimerInterval));
        QEventLoop waitForPhase;
        QTimer::singleShot(phase, Qt::PreciseTimer, &waitForPhase, &QEventLoop::quit);
        waitForPhase.exec();
        actedAt = -1;
        pressedAt = clock.nsecsElapsed();
        SDL_JoystickSetVirtualButton(pads[0], 0, 1); // button 1: select
        waitForAction.exec();
        SDL_JoystickSetVirtualButton(pads[0], 0, 0);
        const double delay = double(actedAt - pressedAt) / 1e9;
        delays.push_back(delay);
        state.SetIterationTime(delay);
    }
    if (!delays.empty()) {
        state.counters["max_ms"] = *std::max_element(delays.begin(), delays.end()) * 1000.0;
        double sum = 0;
        for (double d : delays)
            sum += d;
        state.counters["mean_ms"] = sum / double(delays.size()) * 1000.0;
    }
    nav.JoystickEnable(false);
}
BENCHMARK(BM_ButtonPressToAction)->UseManualTime()->Iterations(40)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
