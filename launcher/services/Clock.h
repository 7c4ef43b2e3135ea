#pragma once
// Clock: wall-clock time and waiting, behind a seam so tests can run
// timed rules (grace counters, waits) without sleeping.
#include <QDateTime>

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    // Waits `ms` milliseconds while letting window events run.
    virtual void wait(int ms) = 0;
};

// The real clock: QDateTime::currentDateTime and an event-processing wait.
Clock& systemClock();
