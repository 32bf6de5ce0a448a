// The console's window on a simulated receiver on a pseudo-terminal, in real time: a poll from
// the menu reaches the receiver and its answer shows in the response view.
#include <gtest/gtest.h>

#include "support/LiveReceiver.h"
#include "EventLoop.h"
#include "FrameConsole.h"
#include "views/QueryView.h"

namespace kestrion::test {
namespace {

size_t VersionPollsHeard(CLiveReceiver& receiver)
{
    size_t count = 0;
    for (const std::string& line : receiver.Heard()) {
        count += line.starts_with("A0 A2 00 02 84 ") ? 1 : 0;
    }
    return count;
}

QStringList ResponseLines(CFrameConsole& console)
{
    CViewFrame* frame = console.View(5);
    return frame != nullptr ? static_cast<CQueryView*>(frame->widget())->Lines() : QStringList();
}

// The frame with its data source open on a simulated receiver.
struct CLiveFrame {
    explicit CLiveFrame(const std::string& extraIni = {}, SimConfig config = {})
        : receiver(config), console(LiveReceiverIni(receiver.Path()) + extraIni)
    {
        console.frame->RunCommand(ID_OPEN_DATA_SOURCE);
    }
    CLiveReceiver receiver;
    CFrameConsole console;
};

TEST(LiveFrame, VersionPollFromTheMenuReachesTheReceiverAndItsAnswerIsShown)
{
    CLiveFrame live;
    CFrameConsole& console = live.console;
    ASSERT_TRUE(console.frame->Engine().DataSourceOpen());
    RunFor(1000);
    const size_t pollsBefore = VersionPollsHeard(live.receiver);
    EXPECT_EQ(console.View(5), nullptr);

    console.frame->Action(ID_POLL_VERSION)->trigger();
    ASSERT_NE(console.View(5), nullptr) << "the poll shows the response view";
    EXPECT_FALSE(console.View(5)->isHidden());
    const auto answered = [&] { return ResponseLines(console).join("\n").contains("SW Version"); };
    EXPECT_TRUE(RunUntil(answered, 3000)) << ResponseLines(console).join("\n").toStdString();
    EXPECT_EQ(VersionPollsHeard(live.receiver), pollsBefore + 1);
}

}  // namespace
}  // namespace kestrion::test
