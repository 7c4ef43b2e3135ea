#include "services/Clock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace {

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    void wait(int ms) override
    {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < ms) {
            if (QCoreApplication::instance())
                QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            QThread::msleep(qMin<qint64>(10, qMax<qint64>(0, ms - timer.elapsed())));
        }
    }
};

} // namespace

Clock& systemClock()
{
    static SystemClock clock;
    return clock;
}
