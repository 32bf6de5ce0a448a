#pragma once
// Running the event loop in real time, and the settings, for tests against a live receiver.
#include <functional>
#include <string>

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

// The settings of a console on a receiver at 38400 baud on the given port.
inline std::string LiveReceiverIni(const std::string& port)
{
    return "[Data Sources]\nDataSource=1\nMeasSource=1\nMeasSerialPort=" + port +
           "\nMeasSerialBaud=38400\nMeasSerialDBits=8\nMeasSerialParity=NONE\nMeasSerialSBits=1\n";
}

}  // namespace kestrion::test
