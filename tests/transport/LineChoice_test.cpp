// The measured feed's serial line is read once per connection and stored only when it is the
// user's choice: the rates a synchronisation tries never reach the settings file.
#include <gtest/gtest.h>

#include "support/FeedFakes.h"
#include "SerialFakes.h"
#include "transport/Feed.h"

namespace kestrion {
namespace {

using namespace fakes;
using Texts = std::vector<std::string>;

// Notes the stored baud rate each time a device opens.
class CStoreWatchingFactory : public CFakeSerialFactory {
public:
    std::unique_ptr<ISerialDevice> Open(const std::string& path, const SerialSettings& settings,
                                        std::string& error) override
    {
        storedBauds.push_back(profile->GetString("Data Sources", "MeasSerialBaud", "?"));
        return CFakeSerialFactory::Open(path, settings, error);
    }

    const CProfile* profile = nullptr;
    Texts storedBauds;
};

class LineChoiceTest : public ::testing::Test {
protected:
    LineChoiceTest()
    {
        devices.profile = &profile;
        devices.line.greeting = true;
        services.serialDevices = &devices;
        EXPECT_EQ(feed.Open(), 1);
    }

    std::string Stored() const { return ReadText(profile.Path()); }

    CTempProfile tempProfile{"[Data Sources]\nDataSource=1\nMeasSource=1\nMeasSerialPort=COM3\nMeasSerialBaud=4800\n"};
    CProfile profile = tempProfile.Profile();
    CFakeFeedServices services{profile};
    CStoreWatchingFactory devices;
    CMeasuredFeed feed{services.Feeds()};
};

TEST_F(LineChoiceTest, ASynchronisationStoresOnlyTheRateItEndsOn)
{
    EXPECT_EQ(feed.Synchronize(), 1);
    ASSERT_EQ(devices.storedBauds.size(), 16u);
    EXPECT_EQ(devices.storedBauds, Texts(16, "4800")) << "no rate of the scan is stored while it runs";
    EXPECT_EQ(feed.Line().baud, "38400");
    EXPECT_EQ(profile.GetString("Data Sources", "MeasSerialBaud", "?"), "38400");

    // Ending on the stored rate leaves the file as it was.
    const std::string before = Stored();
    EXPECT_EQ(feed.Synchronize(), 1);
    EXPECT_EQ(Stored(), before);
}

TEST_F(LineChoiceTest, AChosenLineOpensAsGivenAndStoresWhatChanged)
{
    EXPECT_EQ(feed.Line().baud + feed.Line().dataBits + feed.Line().parity + feed.Line().stopBits, "48008NONE1");
    ASSERT_TRUE(feed.Reconnect(SerialSettings{"57600", "8", "NONE", "2"}, true));
    const SerialSettings& opened = devices.lastSettings;
    EXPECT_EQ(opened.baud + opened.dataBits + opened.parity + opened.stopBits, "576008NONE2");
    EXPECT_EQ(Stored(), "[Data Sources]\nDataSource=1\nMeasSource=1\nMeasSerialPort=COM3\nMeasSerialBaud=57600\n"
                        "MeasSerialSBits=2\n");
}

}  // namespace
}  // namespace kestrion
