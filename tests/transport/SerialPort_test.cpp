#include "transport/SerialPort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "support/FeedFakes.h"
#include "SerialFakes.h"
#include "SerialHarness.h"
#include "transport/FeedEvents.h"

namespace kestrion {
namespace {

using namespace fakes;
using namespace std::chrono_literals;
using Texts = std::vector<std::string>;

class CCollectingReceiver : public ISerialReceiver {
public:
    void Accept(const uint8_t* bytes, size_t count) override
    {
        received.insert(received.end(), bytes, bytes + count);
        largest = std::max(largest, count);
    }
    void TickPollAnswers() override { ++ticks; }

    Bytes received;
    size_t largest = 0;
    int ticks = 0;
};

class SerialPortTest : public ::testing::Test {
protected:
    ~SerialPortTest() override { port.Close(); }

    std::string Open() { return port.Open(receiver, "/dev/fake", {"9600", "8", "N", "1"}); }
    void Ticks(int count)
    {
        for (int i = 0; i < count; ++i) {
            services.timers.Fire(services.timers.Of(kTickSerialPoll));
        }
    }
    bool TickUntil(const std::function<bool()>& done) { return fakes::TickUntil(services.timers, kTickSerialPoll, done); }
    bool TickUntilReceived(size_t count)
    {
        return TickUntil([&] { return receiver.received.size() >= count; });
    }
    // Opens, and has the receiver talk once.
    void OpenTalking()
    {
        ASSERT_EQ(Open(), "");
        Line().Send({1});
        ASSERT_TRUE(TickUntilReceived(1));
    }
    CFakeSerialLine& Line() { return devices.line; }

    CTempProfile tempProfile;
    CProfile profile = tempProfile.Profile();
    CFakeFeedServices services{profile};
    CFakeSerialFactory devices;
    CCollectingReceiver receiver;
    std::vector<std::chrono::milliseconds> steps;
    std::function<void()> onStep;
    CSerialPort port{services.timers, services.decoder, devices, [this](std::chrono::milliseconds step) {
                         steps.push_back(step);
                         if (onStep) {
                             onStep();
                         }
                     }};
};

TEST_F(SerialPortTest, OpenReportsTheDeviceErrorOrStartsTheTickAndForgetsTheGeneration)
{
    Line().Unplug();
    EXPECT_EQ(Open(), CFakeSerialFactory::kRefusal);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(services.timers.Running(), 0);

    Line().Plug();
    services.protocol.generation = 2;
    ASSERT_EQ(Open(), "");
    EXPECT_TRUE(port.IsOpen());
    EXPECT_EQ(services.timers.registrations, std::vector<int>{CSerialPort::kTickMs});
    EXPECT_EQ(services.protocol.generation, -1);

    // Without version detection the generation the user chose survives a reopen.
    port.Close();
    EXPECT_EQ(services.timers.Running(), 0);
    services.protocol.generation = 3;
    services.protocol.versionDetection = false;
    ASSERT_EQ(Open(), "");
    EXPECT_EQ(services.protocol.generation, 3);
}

TEST_F(SerialPortTest, HandsEveryByteOverInOrderWhateverTheBurstSizes)
{
    ASSERT_EQ(Open(), "");
    std::mt19937 random(20261209);
    std::uniform_int_distribution<size_t> chunkSize(1, 9000);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> ticksBetween(0, 2);
    Bytes sent;
    while (sent.size() < (1u << 20)) {
        Bytes chunk(chunkSize(random));
        std::generate(chunk.begin(), chunk.end(), [&] { return static_cast<uint8_t>(byte(random)); });
        Line().Send(chunk);
        sent.insert(sent.end(), chunk.begin(), chunk.end());
        Ticks(ticksBetween(random));
    }
    ASSERT_TRUE(TickUntilReceived(sent.size()));
    EXPECT_TRUE(receiver.received == sent);
    EXPECT_LE(receiver.largest, CReceiveBuffers::kSize);
}

TEST_F(SerialPortTest, ReopensQuietlyOnEveryTwentyFirstTickUntilAReceiverTalks)
{
    ASSERT_EQ(Open(), "");
    Ticks(20);
    EXPECT_EQ(Line().Opens(), 1);
    Ticks(1);
    EXPECT_EQ(Line().Opens(), 2);
    EXPECT_EQ(Line().Events(), Texts{"close"});
    Ticks(21);
    EXPECT_EQ(Line().Opens(), 3);
    EXPECT_EQ(receiver.ticks, 42);

    // A reopen that fails leaves no device; the next one comes 21 ticks later.
    Line().Unplug();
    Ticks(21);
    Line().Plug();
    Ticks(21);
    EXPECT_EQ(Line().Opens(), 4);

    // The receiver appears: its bytes arrive and the reopening stops.
    Line().Send(Ack(0x80));
    ASSERT_TRUE(TickUntilReceived(Ack(0x80).size()));
    const int opens = Line().Opens();
    Ticks(50);
    EXPECT_EQ(Line().Opens(), opens);
    EXPECT_EQ(receiver.received, Ack(0x80));
    EXPECT_TRUE(services.host.faults.empty());
}

TEST_F(SerialPortTest, AReceiverUnpluggedAfterDataIsReportedLostThenReopened)
{
    OpenTalking();
    Line().Unplug();
    ASSERT_TRUE(TickUntil([&] { return !services.host.faults.empty(); }));
    EXPECT_EQ(services.host.faults, Texts{"Comm: Port /dev/fake lost"});
    EXPECT_FALSE(port.DataSeen());

    Line().Plug();
    Line().Send({4, 5});
    ASSERT_TRUE(TickUntil([&] { return services.host.faults.size() == 2; }));
    EXPECT_EQ(services.host.faults[1], "Comm: Port /dev/fake reopened");
    EXPECT_EQ(services.host.log, (Texts{"Comm: Port /dev/fake lost\n", "Comm: Port /dev/fake reopened\n"}));
    EXPECT_EQ(receiver.received, (Bytes{1, 4, 5}));
    Ticks(30);
    EXPECT_EQ(services.host.faults.size(), 2u);
}

TEST_F(SerialPortTest, ReportsLineErrorsInTheirOrderOrTheModeErrorAlone)
{
    ASSERT_EQ(Open(), "");
    Line().RaiseLineErrors(CE_RXOVER | CE_OVERRUN | CE_RXPARITY | CE_FRAME | CE_BREAK | CE_TXFULL | CE_PTO |
                           CE_IOE | CE_DNS | CE_OOP);
    Line().Send({1});
    ASSERT_TRUE(TickUntilReceived(1));
    const Texts shown{"Comm: CE_BREAK", "Comm: CE_DNS.",    "Comm: CE_FRAME", "Comm: CE_IOE",
                      "Comm: CE_OOP",   "Comm: CE_OVERRUN", "Comm: CE_PTO",   "Comm: CE_RXOVER",
                      "Comm: CE_RXPARITY", "Comm: CE_TXFULL"};
    EXPECT_EQ(services.host.faults, shown);
    ASSERT_EQ(services.host.log.size(), shown.size());
    EXPECT_EQ(services.host.log[1], "Comm: CE_DNS\n");

    // Reported once: the next ticks have nothing to say.
    Ticks(3);
    EXPECT_EQ(services.host.faults.size(), shown.size());

    services.host.faults.clear();
    Line().RaiseLineErrors(CE_FRAME | CE_MODE | CE_OVERRUN);
    Line().Send({2});
    ASSERT_TRUE(TickUntilReceived(2));
    EXPECT_EQ(services.host.faults, Texts{"Comm: CE_MODE"});
}

TEST_F(SerialPortTest, HeldCommandsLeaveWhenTheReceiverIsReadyOrThePortCloses)
{
    OpenTalking();
    const Bytes poll = BuildCommandFrame(Bytes{0x80, 0x00});
    port.SetOkToSend(0);
    port.Send(poll, 0x80);
    EXPECT_TRUE(Line().Writes().empty());
    EXPECT_TRUE(services.host.log.empty());
    port.SetOkToSend(1);
    EXPECT_EQ(Line().Writes(), std::vector<Bytes>{poll});
    EXPECT_EQ(services.host.log, Texts{"UI_Command: MID 0x80\n"});

    // Written at once while the receiver is ready; a sentence is not logged.
    const Bytes sentence = Ascii("\r\n$PORV100*00\r\n");
    port.Send(sentence, std::nullopt);
    EXPECT_EQ(Line().Writes().back(), sentence);
    EXPECT_EQ(services.host.log.size(), 1u);

    // Held bytes are written, as one unit, before the device closes.
    const Bytes reset = BuildCommandFrame(Bytes{0xA6, 0x01});
    port.SetOkToSend(0);
    port.Send(reset, 0xA6);
    port.Send(sentence, std::nullopt);
    port.Close();
    const Texts events = Line().Events();
    ASSERT_GE(events.size(), 2u);
    EXPECT_EQ(events[events.size() - 2], "write:" + CFakeSerialLine::Hex(Join({reset, sentence})));
    EXPECT_EQ(events.back(), "close");
    EXPECT_EQ(services.host.log.back(), "UI_Command: MID 0xA6\n");
}

TEST_F(SerialPortTest, ACommandThatDoesNotFitTheHeldBytesIsRefused)
{
    OpenTalking();
    port.SetOkToSend(0);
    const Bytes large(1000, 0x81);
    const Bytes exact(24, 0x83);
    port.Send(large, 0x81);
    port.Send(Bytes(25, 0x82), 0x82);
    port.Send(exact, 0x83);
    EXPECT_EQ(services.host.faults, Texts{"Comm: Send buffer full, command 0x82 dropped"});

    port.SetOkToSend(1);
    EXPECT_EQ(Line().Writes(), std::vector<Bytes>{Join({large, exact})});
    EXPECT_EQ(services.host.log, (Texts{"Comm: Send buffer full, command 0x82 dropped\n", "UI_Command: MID 0x81\n",
                                        "UI_Command: MID 0x83\n"}));
}

TEST_F(SerialPortTest, RawWriteWaitsForTheFirstReceivedByteAtMostThreeSeconds)
{
    ASSERT_EQ(Open(), "");
    const Bytes frame = Ack(0x80);
    port.RawWrite(frame.data(), frame.size());
    EXPECT_EQ(steps, std::vector<std::chrono::milliseconds>(60, 50ms));
    EXPECT_EQ(Line().Writes(), std::vector<Bytes>{frame});

    // The receiver talks during the third step: the write follows it.
    port.Close();
    steps.clear();
    ASSERT_EQ(Open(), "");
    onStep = [&] {
        if (steps.size() == 3) {
            Line().Send({1});
            ASSERT_TRUE(WaitUntil([&] { return port.DataSeen(); }));
        }
    };
    port.RawWrite(frame.data(), frame.size());
    EXPECT_EQ(steps.size(), 3u);
    EXPECT_EQ(Line().Writes().size(), 2u);
}

TEST_F(SerialPortTest, CloseStopsTheRelayFirstAndLetsTheOutputDrain)
{
    ASSERT_EQ(Open(), "");
    Texts seenByRelayStop;
    port.SetBeforeClose([&] {
        seenByRelayStop = Line().Events();
        seenByRelayStop.push_back(services.timers.Running() == 1 ? "ticking" : "stopped");
    });
    Line().SetOutputQueued(4);
    port.Close();
    EXPECT_EQ(seenByRelayStop, Texts{"ticking"});
    EXPECT_EQ(steps, std::vector<std::chrono::milliseconds>(4, 1ms));
    EXPECT_EQ(Line().Events(), Texts{"close"});
    EXPECT_EQ(services.timers.Running(), 0);

    // A closed port neither waits nor writes.
    const Bytes frame = Ack(0x80);
    port.RawWrite(frame.data(), frame.size());
    EXPECT_EQ(steps.size(), 4u);
    EXPECT_TRUE(Line().Writes().empty());
}

// The device's output queue is empty, but the bytes last written still need their time on
// the line at its speed (10 bits a byte at 8N1); a connection waits for its own bytes only.
TEST_F(SerialPortTest, CloseLeavesTheLastBytesWrittenOnThisConnectionTheirTimeOnTheLine)
{
    struct Case {
        const char* baud;
        size_t bytes;
        std::chrono::milliseconds least, most;
    };
    const Case cases[] = {
        {"1200", 120, 500ms, 1001ms},  // a second of line time, less what has passed since
        {"1200", 1000, CSerialPort::kLongestLineWait, CSerialPort::kLongestLineWait},
        {"57600", 1, 0ms, 1ms},  // nothing the last connection wrote is waited for here
    };
    Line().greeting = true;
    for (const Case& c : cases) {
        ASSERT_EQ(port.Open(receiver, "/dev/fake", {c.baud, "8", "N", "1"}), "");
        ASSERT_TRUE(WaitUntil([&] { return port.DataSeen(); }));
        const Bytes bytes(c.bytes, 0x55);
        port.RawWrite(bytes.data(), bytes.size());
        steps.clear();
        port.Close();
        std::chrono::milliseconds waited{0};
        for (const std::chrono::milliseconds step : steps) {
            waited += step;
        }
        EXPECT_GE(waited, c.least) << c.baud << " baud, " << c.bytes << " bytes";
        EXPECT_LE(waited, c.most) << c.baud << " baud, " << c.bytes << " bytes";
    }
}

}  // namespace
}  // namespace kestrion
