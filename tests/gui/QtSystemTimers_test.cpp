// The platform timers on Qt: periodic events reach the dispatch with the identifier Start
// gave, a restart replaces the timer, and events of other timers pass by.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimerEvent>

#include "support/QtTestApp.h"
#include "gui/QtSystemTimers.h"

namespace kestrion::test {
namespace {

TEST(QtSystemTimers, EventsReachTheDispatchUntilStopped)
{
    TestApplication();
    std::vector<unsigned> dispatched;
    CQtSystemTimers timers([&](unsigned id) { dispatched.push_back(id); });
    const unsigned first = timers.Start(1, 5);
    ASSERT_NE(first, 0u);
    const unsigned restarted = timers.Start(1, 5);
    const unsigned other = timers.Start(2, 1000);
    EXPECT_EQ(timers.Running(), (std::vector<unsigned>{restarted, other}));

    QElapsedTimer clock;
    clock.start();
    while (dispatched.size() < 3 && clock.elapsed() < 2000) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    EXPECT_EQ(dispatched, (std::vector<unsigned>{restarted, restarted, restarted}));

    timers.Stop(restarted);
    EXPECT_EQ(timers.Running(), std::vector<unsigned>{other});
    dispatched.clear();
    QTimerEvent stranger(static_cast<int>(restarted + other));
    QCoreApplication::sendEvent(&timers, &stranger);
    QTimerEvent ours(static_cast<int>(other));
    QCoreApplication::sendEvent(&timers, &ours);
    EXPECT_EQ(dispatched, std::vector<unsigned>{other});
}

}  // namespace
}  // namespace kestrion::test
