#pragma once
// Running the event loop in real time, for tests against a live receiver.
#include <functional>

#include <QCoreApplication>
#include <QElapsedTimer>

namespace kestrion::test {

// Runs the event loop until done or the time is up; whether done.
inline bool RunUntil(const std::function<bool()>& done, int limitMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < limitMs) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    }
    return done();
}

inline void RunFor(int ms)
{
    RunUntil([] { return false; }, ms);
}

}  // namespace kestrion::test
