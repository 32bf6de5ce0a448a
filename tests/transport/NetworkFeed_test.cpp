// A measured feed whose port is a network address: the receiver is told of baud and protocol
// changes, but the connection stays as it is, and a synchronisation is refused.
#include <gtest/gtest.h>

#include "support/FeedFakes.h"
#include "SerialFakes.h"
#include "protocol/CommandFrame.h"
#include "transport/Feed.h"
#include "transport/MeasuredPort.h"

namespace kestrion {
namespace {

using namespace fakes;
using Texts = std::vector<std::string>;

std::string Sources(const std::string& port, int dataSource = 1, int measSource = 1)
{
    return "[Data Sources]\nDataSource=" + std::to_string(dataSource) + "\nMeasSource=" + std::to_string(measSource) +
           "\nMeasSerialBaud=4800\nMeasSerialPort=" + port + "\n";
}

class NetworkFeedTest : public ::testing::Test {
protected:
    NetworkFeedTest()
    {
        services.serialDevices = &devices;
        devices.line.greeting = true;  // writes need not wait for a first byte
        EXPECT_EQ(feed.Open(), 1);
    }

    std::string Stored() const { return ReadText(profile.Path()); }

    CTempProfile tempProfile{Sources("tcp://127.0.0.1:5000")};
    CProfile profile = tempProfile.Profile();
    CFakeFeedServices services{profile};
    CFakeSerialFactory devices;
    CMeasuredFeed feed{services.Feeds()};
};

TEST_F(NetworkFeedTest, TheNetworkAddressIsOpenedAsItIsAndOnlyAPortOfTheMeasuredSourceCounts)
{
    EXPECT_EQ(devices.lastPath, "tcp://127.0.0.1:5000");
    EXPECT_EQ(NetworkMeasuredPort(profile), "tcp://127.0.0.1:5000");
    EXPECT_EQ(NetworkMeasuredPort(CTempProfile(Sources("udp://:5000")).Profile()), "udp://:5000");
    for (const std::string& other : {Sources("COM3"), Sources("udp://:5000", 1, 0), Sources("udp://:5000", 0, 1)}) {
        CTempProfile stored{other};
        EXPECT_EQ(NetworkMeasuredPort(stored.Profile()), "") << other;
    }
}

TEST_F(NetworkFeedTest, ABaudOrLineChangeIsSentButKeepsTheConnection)
{
    const std::string before = Stored();
    const Bytes toFast{0x86, 0x00, 0x00, 0xE1, 0x00, 0x08, 0x01, 0x00, 0x00};
    feed.SendPayload(toFast);
    EXPECT_TRUE(feed.Reconnect(SerialSettings{"57600", "8", "NONE", "1"}, true));
    feed.SwitchProtocol(3);
    EXPECT_EQ(devices.line.Opens(), 1);
    const std::string toBinary = "\r\n$PORV100,0,38400,8,1,0*30\r\n";
    EXPECT_EQ(devices.line.Events(), (Texts{"write:" + CFakeSerialLine::Hex(BuildCommandFrame(toFast)),
                                            "write:" + CFakeSerialLine::Hex(Bytes(toBinary.begin(), toBinary.end()))}));
    EXPECT_EQ(Stored(), before) << "no line is stored for a network port";
    EXPECT_EQ(feed.Line().baud, "4800");

    // A change of the settings themselves still opens the source again.
    EXPECT_TRUE(feed.Reconnect([](const CProfile&) {}, false));
    EXPECT_EQ(devices.line.Opens(), 2);
}

TEST_F(NetworkFeedTest, ASynchronisationSaysItNeedsASerialPortAndDoesNothingElse)
{
    EXPECT_EQ(feed.Synchronize(), 0);
    ASSERT_EQ(services.boxes.size(), 1u);
    EXPECT_EQ(services.boxes[0].text, "Synchronize Protocol and Baud Rate needs a serial port; the measured receiver "
                                      "is on tcp://127.0.0.1:5000, which has no baud rate to scan.");
    EXPECT_TRUE(devices.line.Events().empty());
    EXPECT_EQ(devices.line.Opens(), 1);
}

}  // namespace
}  // namespace kestrion
