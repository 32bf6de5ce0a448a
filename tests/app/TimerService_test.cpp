#include "app/TimerService.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <vector>

#include "platform/LoopTimers.h"

namespace kestrion {
namespace {

// System identifiers differ from entry numbers, as a window-less SetTimer's would.
struct CFakeSystemTimers : ISystemTimers {
    unsigned Start(unsigned id, int periodMs) override
    {
        return refuse ? 0 : (running[id + 100] = periodMs, id + 100);
    }
    void Stop(unsigned systemTimerId) override { running.erase(systemTimerId); }

    bool refuse = false;
    std::map<unsigned, int> running;  // system id -> period
};

struct CRecordingReceiver : ITickReceiver {
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

TEST(TimerService, TableHandsOutTheLowestFreeEntryAndRoutesBySystemId)
{
    CFakeSystemTimers system;
    CTimerService service(system, [] { return true; });
    CRecordingReceiver receiver;
    for (int number = 1; number <= 5; ++number) {
        EXPECT_EQ(service.Register(0x400 + number, receiver, 10 * number), number);
    }
    EXPECT_EQ(service.Register(0x402, receiver, 1000), 0);
    EXPECT_EQ(system.running,
              (std::map<unsigned, int>{{101, 10}, {102, 20}, {103, 30}, {104, 40}, {105, 50}}));

    for (int number : {0, -1, 6, 4, 2}) {
        EXPECT_EQ(service.Cancel(number), 0);
    }
    EXPECT_EQ(system.running.size(), 3U);
    system.refuse = true;
    EXPECT_EQ(service.Register(0x402, receiver, 1000), 0);
    system.refuse = false;
    EXPECT_EQ(service.Register(0x409, receiver, 1000), 2);

    for (unsigned id : {102U, 104U, 105U, 2U, 0U}) {
        service.Dispatch(id);
    }
    EXPECT_EQ(receiver.ticks, (std::vector<int>{0x409, 0x405}));
}

TEST(TimerService, TickWithoutOpenDataSourceCancelsItsEntry)
{
    CFakeSystemTimers system;
    bool open = false;
    CTimerService service(system, [&open] { return open; });
    CRecordingReceiver receiver;
    service.Register(0x402, receiver, 1000);
    service.Register(0x40A, receiver, 50);

    service.Dispatch(102);
    EXPECT_TRUE(receiver.ticks.empty());
    EXPECT_EQ(system.running, (std::map<unsigned, int>{{101, 1000}}));
    EXPECT_EQ(service.Register(0x409, receiver, 1000), 2);
    open = true;
    service.Dispatch(102);
    EXPECT_EQ(receiver.ticks, std::vector<int>{0x409});
}

TEST(TimerService, ReceiverReRegistersInsideItsTickOnTheVirtualLoop)
{
    CLoopTimers loop(CLoopTimers::Mode::Virtual, 0);
    CRecordingReceiver other;
    CRecordingReceiver receiver;
    std::vector<int64_t> tickTimes;
    {
        CTimerService service(loop, [] { return true; });
        loop.SetDispatch(service);
        const int first = service.Register(0x40A, other, 5000);
        int number = service.Register(0x402, receiver, 1000);
        receiver.onTick = [&] {
            // Like the text file source: a new period per record; entry 1 is free at 1300.
            tickTimes.push_back(loop.ElapsedMs());
            number = service.Cancel(number);
            number = service.Register(0x402, receiver, tickTimes.size() == 1 ? 300 : 400);
            if (tickTimes.size() == 1) {
                service.Cancel(first);
            }
        };
        while (loop.RunNext(2100)) {
        }
        EXPECT_EQ(number, 1);
    }
    EXPECT_EQ(tickTimes, (std::vector<int64_t>{1000, 1300, 1700, 2100}));
    EXPECT_TRUE(other.ticks.empty());
    EXPECT_FALSE(loop.HasTimers());
}

}  // namespace
}  // namespace kestrion
