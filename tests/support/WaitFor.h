#pragma once
// Waiting in tests: lets window events run until a condition holds. The limit
// is a guard against a hang, never a measure of speed.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <functional>

// True once `condition` holds; false when it still does not after `ms`.
inline bool WaitFor(const std::function<bool()>& condition, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!condition()) {
        if (t.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
    return true;
}
