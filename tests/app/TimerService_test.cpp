#include "app/TimerService.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "platform/LoopTimers.h"

namespace kestrion {
namespace {

// System timers whose identifiers differ from the entry numbers, as a window-less
// SetTimer's would.
class CFakeSystemTimers : public ISystemTimers {
public:
    static constexpr unsigned kIdOffset = 100;

    unsigned Start(unsigned id, int periodMs) override
    {
        if (refuse) {
            return 0;
        }
        running[id + kIdOffset] = periodMs;
        return id + kIdOffset;
    }
    void Stop(unsigned systemTimerId) override
    {
        stopped.push_back(systemTimerId);
        running.erase(systemTimerId);
    }

    bool refuse = false;
    std::map<unsigned, int> running;  // system id -> period
    std::vector<unsigned> stopped;
};

class CRecordingReceiver : public ITickReceiver {
public:
    void Tick(int tickCode) override
    {
        ticks.push_back(tickCode);
        if (onTick) {
            onTick();
        }
    }

    std::vector<int> ticks;
    std::function<void()> onTick;
};

unsigned SystemId(int number)
{
    return static_cast<unsigned>(number) + CFakeSystemTimers::kIdOffset;
}

struct Harness {
    CFakeSystemTimers system;
    bool open = true;
    CTimerService service{system, [this] { return open; }};
    CRecordingReceiver receiver;
};

TEST(TimerService, FillsEntriesInOrderAndReusesTheLowestFreeOne)
{
    Harness h;
    for (int expected = 1; expected <= 5; ++expected) {
        EXPECT_EQ(h.service.Register(0x400 + expected, h.receiver, 10 * expected), expected);
        EXPECT_EQ(h.system.running.at(SystemId(expected)), 10 * expected);
    }
    EXPECT_EQ(h.service.Register(0x402, h.receiver, 1000), 0);
    EXPECT_EQ(h.system.running.size(), 5U);

    EXPECT_EQ(h.service.Cancel(4), 0);
    EXPECT_EQ(h.service.Cancel(2), 0);
    EXPECT_EQ(h.system.stopped, (std::vector<unsigned>{SystemId(4), SystemId(2)}));
    EXPECT_EQ(h.service.Register(0x409, h.receiver, 1000), 2);
    EXPECT_EQ(h.service.Register(0x40A, h.receiver, 50), 4);

    h.service.Dispatch(SystemId(2));
    h.service.Dispatch(SystemId(4));
    h.service.Dispatch(SystemId(5));
    EXPECT_EQ(h.receiver.ticks, (std::vector<int>{0x409, 0x40A, 0x405}));
}

TEST(TimerService, CancelIgnoresNumbersWithoutARunningTimer)
{
    Harness h;
    ASSERT_EQ(h.service.Register(0x40A, h.receiver, 50), 1);
    for (int number : {0, -1, 2, 6}) {
        EXPECT_EQ(h.service.Cancel(number), 0);
    }
    EXPECT_TRUE(h.system.stopped.empty());
    EXPECT_EQ(h.service.Cancel(1), 0);
    EXPECT_EQ(h.service.Cancel(1), 0);
    EXPECT_EQ(h.system.stopped, std::vector<unsigned>{SystemId(1)});
}

TEST(TimerService, DispatchRoutesOnlyKnownSystemIds)
{
    Harness h;
    CRecordingReceiver other;
    ASSERT_EQ(h.service.Register(0x402, h.receiver, 1000), 1);
    ASSERT_EQ(h.service.Register(0x409, other, 1000), 2);

    h.service.Dispatch(SystemId(2));
    h.service.Dispatch(SystemId(1));
    h.service.Dispatch(1);  // an entry number is not a system id
    h.service.Dispatch(SystemId(3));
    h.service.Dispatch(0);  // matches no free entry either
    EXPECT_EQ(h.receiver.ticks, std::vector<int>{0x402});
    EXPECT_EQ(other.ticks, std::vector<int>{0x409});
    EXPECT_TRUE(h.system.stopped.empty());
}

TEST(TimerService, TickWithoutOpenDataSourceCancelsItsEntry)
{
    Harness h;
    ASSERT_EQ(h.service.Register(0x402, h.receiver, 1000), 1);
    ASSERT_EQ(h.service.Register(0x40A, h.receiver, 50), 2);
    h.open = false;

    h.service.Dispatch(SystemId(2));
    EXPECT_TRUE(h.receiver.ticks.empty());
    EXPECT_EQ(h.system.stopped, std::vector<unsigned>{SystemId(2)});
    EXPECT_EQ(h.service.Register(0x409, h.receiver, 1000), 2);

    h.open = true;
    h.service.Dispatch(SystemId(1));
    EXPECT_EQ(h.receiver.ticks, std::vector<int>{0x402});
}

TEST(TimerService, MissingOpenFlagCountsAsClosed)
{
    CFakeSystemTimers system;
    CTimerService service(system, nullptr);
    CRecordingReceiver receiver;
    ASSERT_EQ(service.Register(0x402, receiver, 1000), 1);
    service.Dispatch(SystemId(1));
    EXPECT_TRUE(receiver.ticks.empty());
    EXPECT_TRUE(system.running.empty());
}

TEST(TimerService, RefusedSystemTimerLeavesTheEntryFree)
{
    Harness h;
    h.system.refuse = true;
    EXPECT_EQ(h.service.Register(0x402, h.receiver, 1000), 0);
    h.system.refuse = false;
    EXPECT_EQ(h.service.Register(0x402, h.receiver, 1000), 1);
}

TEST(TimerService, DestructionStopsEveryTimerInUse)
{
    CFakeSystemTimers system;
    CRecordingReceiver receiver;
    {
        CTimerService service(system, [] { return true; });
        for (int i = 0; i < 3; ++i) {
            service.Register(0x402, receiver, 1000);
        }
        service.Cancel(2);
        system.stopped.clear();
    }
    EXPECT_EQ(system.stopped, (std::vector<unsigned>{SystemId(1), SystemId(3)}));
    EXPECT_TRUE(system.running.empty());
}

TEST(TimerService, ReceiverMayReRegisterInsideItsTick)
{
    Harness h;
    CRecordingReceiver first;
    ASSERT_EQ(h.service.Register(0x40A, first, 50), 1);
    int number = h.service.Register(0x402, h.receiver, 1000);
    ASSERT_EQ(number, 2);
    // Like the text file source: a new period for every record.
    int period = 1000;
    h.receiver.onTick = [&] {
        number = h.service.Cancel(number);
        period += 250;
        number = h.service.Register(0x402, h.receiver, period);
    };

    h.service.Dispatch(SystemId(2));
    EXPECT_EQ(number, 2);
    EXPECT_EQ(h.system.running.at(SystemId(2)), 1250);

    h.service.Cancel(1);  // the next re-registration lands in entry 1
    h.service.Dispatch(SystemId(2));
    EXPECT_EQ(number, 1);
    EXPECT_EQ(h.system.running.count(SystemId(2)), 0U);
    EXPECT_EQ(h.system.running.at(SystemId(1)), 1500);

    h.service.Dispatch(SystemId(1));
    EXPECT_EQ(h.receiver.ticks, (std::vector<int>{0x402, 0x402, 0x402}));
    EXPECT_TRUE(first.ticks.empty());
}

TEST(TimerService, ReRegisteredPeriodPacesTheVirtualLoop)
{
    CLoopTimers loop(CLoopTimers::Mode::Virtual, 0);
    CTimerService service(loop, [] { return true; });
    loop.SetDispatch(service);
    CRecordingReceiver receiver;
    std::vector<int64_t> tickTimes;
    int number = service.Register(0x402, receiver, 1000);
    receiver.onTick = [&] {
        tickTimes.push_back(loop.ElapsedMs());
        if (tickTimes.size() == 1) {
            number = service.Cancel(number);
            number = service.Register(0x402, receiver, 300);
        }
    };

    while (loop.RunNext(2000)) {
    }
    EXPECT_EQ(tickTimes, (std::vector<int64_t>{1000, 1300, 1600, 1900}));
}

TEST(TimerService, ClosedSourceStopsTheVirtualLoop)
{
    CLoopTimers loop(CLoopTimers::Mode::Virtual, 0);
    CTimerService service(loop, [] { return false; });
    loop.SetDispatch(service);
    CRecordingReceiver receiver;
    service.Register(0x402, receiver, 1000);

    EXPECT_TRUE(loop.RunNext(5000));
    EXPECT_FALSE(loop.HasTimers());
    EXPECT_FALSE(loop.RunNext(5000));
    EXPECT_TRUE(receiver.ticks.empty());
}

}  // namespace
}  // namespace kestrion
