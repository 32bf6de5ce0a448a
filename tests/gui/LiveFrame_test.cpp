// The console's window on a simulated receiver on a pseudo-terminal, in real time: a poll from
// the menu reaches the receiver and its answer shows in the response view.
#include <gtest/gtest.h>

#include "support/LiveReceiver.h"
#include "EventLoop.h"
#include "FrameConsole.h"
#include "VersionPollCheck.h"

namespace kestrion::test {
namespace {

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
    CheckVersionPollShown(live.console, live.receiver, RunFor, RunUntil);
}

}  // namespace
}  // namespace kestrion::test
