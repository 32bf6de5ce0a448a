#pragma once
// Running the event loop in real time, and the settings, for tests against a live receiver.
#include <functional>
#include <string>

#include <QCoreApplication>
#include <QElapsedTimer>

#include "support/ReceiverIni.h"

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

// The settings of a console on a receiver at 38400 baud on the given port.
inline std::string LiveReceiverIni(const std::string& port) { return ReceiverIni(port); }

}  // namespace kestrion::test
