// The console's window on a simulated receiver behind a scripted port, its timers fired on a
// virtual clock: a poll from the menu reaches the receiver and its answer shows in the
// response view.
#include <gtest/gtest.h>

#include "support/ReceiverIni.h"
#include "support/ScriptedReceiver.h"
#include "FrameConsole.h"
#include "VersionPollCheck.h"

namespace kestrion::test {
namespace {

// The frame with its data source open on the scripted receiver.
struct CScriptedFrame {
    CScriptedFrame() : receiver(SimConfig{}), console(ReceiverIni(receiver.Path()), &receiver.Devices())
    {
        console.frame->RunCommand(ID_OPEN_DATA_SOURCE);
    }
    void RunFor(int ms)
    {
        console.RunVirtual(ms, [this](int64_t nowMs) { receiver.AdvanceTo(nowMs); });
    }
    // Runs in steps of the serial port's tick.
    bool RunUntil(const std::function<bool()>& done, int ms)
    {
        for (int ran = 0; ran < ms && !done(); ran += 50) {
            RunFor(50);
        }
        return done();
    }

    CScriptedReceiver receiver;
    CFrameConsole console;
};

TEST(ScriptedFrame, VersionPollFromTheMenuReachesTheReceiverAndItsAnswerIsShown)
{
    CScriptedFrame scripted;
    CheckVersionPollShown(
        scripted.console, scripted.receiver, [&scripted](int ms) { scripted.RunFor(ms); },
        [&scripted](const std::function<bool()>& done, int ms) { return scripted.RunUntil(done, ms); });
}

}  // namespace
}  // namespace kestrion::test
