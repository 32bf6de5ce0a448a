// The serial port's reader thread on a scripted device: a receiver that goes away is told and
// opened again once it talks, line errors the driver counted are told once, and output that
// never drains holds a close for the drain's bound only, on the line's clock.
#include <gtest/gtest.h>

#include "support/HeardFrames.h"
#include "support/ScriptedConsole.h"
#include "app/CommandTable.h"
#include "platform/SerialDevice.h"

namespace kestrion::test {
namespace {

size_t Occurrences(const std::string& text, const std::string& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) {
        ++count;
    }
    return count;
}

// A console on the scripted receiver with its log open.
struct CLoggedConsole : CScriptedConsole {
    CLoggedConsole() : CScriptedConsole(SimConfig{})
    {
        WriteText(File("run.gps"), "");
        engine->Log().OpenFile(File("run.gps").string());
        Run(1.5);
    }
    // Closes the data source, which closes the log, and gives the log's text.
    std::string CloseAndReadLog()
    {
        engine->ToggleDataSource();
        return ReadText(File("run.gps"));
    }
};

TEST(ScriptedPort, ALostReceiverIsLoggedAndTheReopenedPortToldOnceItTalksAgain)
{
    CLoggedConsole console;
    CScriptedDevice* device = console.receiver.Devices().Current();
    ASSERT_NE(device, nullptr);
    device->Lose();
    console.Run(0.5);
    EXPECT_EQ(console.receiver.Devices().OpenedBauds(), std::vector<int>{38400}) << "not before a second of silence";
    console.Run(2.0);
    EXPECT_EQ(console.receiver.Devices().OpenedBauds(), (std::vector<int>{38400, 38400}));
    const std::string log = console.CloseAndReadLog();
    EXPECT_EQ(Occurrences(log, "Comm: Port /dev/ttyScripted0 lost\n"), 1u) << log;
    EXPECT_EQ(Occurrences(log, "Comm: Port /dev/ttyScripted0 reopened\n"), 1u) << log;
    EXPECT_LT(log.find(" lost\n"), log.find(" reopened\n"));
}

TEST(ScriptedPort, LineErrorsCountedByTheDriverAreLoggedOnce)
{
    CLoggedConsole console;
    console.receiver.Devices().Current()->InjectLineErrors(CE_FRAME | CE_OVERRUN);
    console.Run(1.0);
    const std::string log = console.CloseAndReadLog();
    EXPECT_EQ(Occurrences(log, "Comm: CE_FRAME\n"), 1u) << log;
    EXPECT_EQ(Occurrences(log, "Comm: CE_OVERRUN\n"), 1u) << log;
}

TEST(ScriptedPort, OutputThatNeverDrainsHoldsTheCloseForTheDrainsBoundOnly)
{
    CLoggedConsole console;
    CScriptedDevice& device = *console.receiver.Devices().Current();
    const size_t pollsBefore = HeardWithMid(console.receiver, 0x84).size();
    const size_t writtenBefore = device.Written().size();
    device.HoldWrites(true);
    console.engine->Execute(ID_POLL_VERSION);
    ASSERT_GT(device.Written().size(), writtenBefore);
    const int64_t closing = console.receiver.NowMs();
    console.engine->ToggleDataSource();
    EXPECT_FALSE(console.engine->DataSourceOpen());
    EXPECT_GE(console.receiver.NowMs() - closing, 3000) << "3000 steps of 1 ms";
    EXPECT_LT(console.receiver.NowMs() - closing, 6000);
    EXPECT_EQ(HeardWithMid(console.receiver, 0x84).size(), pollsBefore) << "the held poll was dropped with the device";
}

}  // namespace
}  // namespace kestrion::test
