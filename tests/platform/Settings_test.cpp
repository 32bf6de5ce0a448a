#include "platform/Settings.h"

#include <gtest/gtest.h>

#include <climits>

#include "TempFolder.h"

namespace kestrion {
namespace {

class SettingsTest : public ::testing::Test {
protected:
    std::filesystem::path File() const { return m_folder.Path() / "demo.ini"; }
    CProfile Profile() const { return CProfile(File()); }

    CSettings LoadAll() const
    {
        CSettings settings;
        settings.LoadDataSources(Profile());
        settings.LoadMapView(Profile());
        settings.LoadSignalView(Profile());
        settings.LoadRadarView(Profile());
        settings.LoadTimerDelay(Profile());
        settings.LoadExternalTimer(Profile());
        return settings;
    }

    void SaveAll(const CSettings& settings) const
    {
        settings.SaveDataSources(Profile());
        settings.SaveLogging(Profile());
        settings.SaveReceiverInit(Profile());
        settings.SaveMapView(Profile());
        settings.SaveSignalView(Profile());
        settings.SaveRadarView(Profile());
        settings.SaveTimerDelay(Profile());
        settings.SaveExternalTimer(Profile());
    }

    static std::array<int, 256> OnlyMid2()
    {
        std::array<int, 256> messages{};
        messages[2] = 1;
        return messages;
    }

    CTempFolder m_folder;
};

TEST_F(SettingsTest, FreshInstallationGivesTheDefaults)
{
    const CSettings s = LoadAll();
    EXPECT_EQ(s.dataSource, 1);
    EXPECT_EQ(s.supplied, 1);
    EXPECT_EQ(s.random, 0);
    EXPECT_EQ(s.measSource, 1);
    EXPECT_EQ(s.measSerialPort, "COM1");
    EXPECT_EQ(s.measSerialBaud, "19200");
    EXPECT_EQ(s.measSerialDBits, "8");
    EXPECT_EQ(s.measSerialParity, "NONE");
    EXPECT_EQ(s.measSerialSBits, "1");
    EXPECT_EQ(s.measFileType, "Hex");
    EXPECT_EQ(s.logFileName, "kestrion.gps");
    EXPECT_EQ(s.logMessages, OnlyMid2());
    EXPECT_EQ(s.channels, 12);
    EXPECT_DOUBLE_EQ(s.mapScale, 0.5);
    EXPECT_EQ(s.ring1, 10);
    EXPECT_EQ(s.ring2, 20);
    EXPECT_EQ(s.ring3, 30);
    EXPECT_DOUBLE_EQ(s.radarVelocityRadius, 4.0);
    EXPECT_EQ(s.radarPositionRadius, 20);
    EXPECT_EQ(s.timerDelay, 1000);
    EXPECT_EQ(s.externalTimer, 0);
    EXPECT_FALSE(std::filesystem::exists(File()));
}

TEST_F(SettingsTest, EveryKeyIsLoadedAndSavedBackInItsOwnForm)
{
    // No value is a default, so a key that is not loaded changes the saved text.
    const std::string messages = "1" + std::string(254, '0') + "1";
    const std::string text =
        "[Data Sources]\nDataSource=0\nUseTrue=1\nTrueSource=1\nTrueFileName=/data/truth.txt\n"
        "TrueSerialPort=/dev/ttyUSB1\nTrueSerialBaud=4800\nTrueWeekNo=1024\nTrueTOW=3600\nUseMeas=1\n"
        "MeasSource=0\nMeasBFileName=run 1.bin\nMeasBFileType=CSV\nMeasSerialPort=/dev/ttyS0\n"
        "MeasSerialBaud=38400\nMeasSerialDBits=7\nMeasSerialParity=EVEN\nMeasSerialSBits=2\nMeasRI=0\n"
        "[Logging]\nFileName=today.gps\nMessages=" + messages + "\n"
        "[ReceiverInit]\nX=-2694685\nY=-4293642\nZ=3857878\nClock=96000\nUseDOSTime=1\nTOW=40000000\n"
        "WeekNo=1100\nChannels=8\nResetMode=3\nEnableRawTrackMessages=1\nEnableDebugMessages=1\n"
        "[Map View]\nScale=2.25\nCenter Fixed=1\nLat=37.375000\nLon=-121.500000\nRing 1=5\nRing 2=50\nRing 3=500\n"
        "[Signal View]\nGraph Type=2\n"
        "[Radar View]\nOrientation=1\nOuter Radius Velocity=12.50\nOuter Radius Position=80\n"
        "[Random Data]\nTimer Delay=250\n"
        "[File Data]\nExternal Timer=1\n";
    WriteText(File(), text);

    const CSettings loaded = LoadAll();
    EXPECT_EQ(loaded.supplied, 0);
    EXPECT_EQ(loaded.random, 1);
    EXPECT_EQ(loaded.initX, -2694685);
    EXPECT_EQ(loaded.mapLon, -121.5);

    std::filesystem::remove(File());
    SaveAll(loaded);
    EXPECT_EQ(ReadText(File()), text);
}

TEST_F(SettingsTest, ScaleKeepsTwoDecimalsAndLatitudeSix)
{
    CSettings settings;
    settings.mapScale = 0.123;
    settings.mapLat = 37.123456789;
    settings.initX = LONG_MIN;
    settings.SaveMapView(Profile());
    settings.SaveReceiverInit(Profile());

    const CSettings loaded = LoadAll();
    EXPECT_EQ(Profile().GetString("Map View", "Scale", ""), "0.12");
    EXPECT_DOUBLE_EQ(loaded.mapScale, 0.12);
    EXPECT_DOUBLE_EQ(loaded.mapLat, 37.123457);
    EXPECT_EQ(loaded.initX, LONG_MIN);
}

TEST_F(SettingsTest, HandWrittenNumbersReadLikeThePlainConversions)
{
    WriteText(File(),
              "[ReceiverInit]\nX= -1200 m\nY=north\n"
              "[Map View]\nScale=\nLat=+12.5e1xyz\nLon=west\n"
              "[Radar View]\nOuter Radius Velocity=.75\n");
    const CSettings s = LoadAll();
    EXPECT_EQ(s.initX, -1200);
    EXPECT_EQ(s.initY, 0);
    EXPECT_DOUBLE_EQ(s.mapScale, 0.5);  // empty: the default text
    EXPECT_DOUBLE_EQ(s.mapLat, 125.0);
    EXPECT_EQ(s.mapLon, 0.0);
    EXPECT_DOUBLE_EQ(s.radarVelocityRadius, 0.75);
}

TEST_F(SettingsTest, LoggedMessagesNeedAtLeast255Characters)
{
    CSettings settings;
    ASSERT_TRUE(Profile().WriteString("Logging", "Messages", std::string(254, '1')));
    settings.LoadLogging(Profile());
    EXPECT_EQ(settings.logMessages, OnlyMid2());

    std::string messages(255, '0');
    messages[0] = messages[254] = '1';
    messages[2] = 'x';
    ASSERT_TRUE(Profile().WriteString("Logging", "Messages", messages));
    settings.logMessages.fill(1);
    settings.LoadLogging(Profile());
    std::array<int, 256> expected{};
    expected[0] = expected[254] = 1;
    EXPECT_EQ(settings.logMessages, expected);

    settings.SaveLogging(Profile());
    messages[2] = '0';
    EXPECT_EQ(Profile().GetString("Logging", "Messages", ""), messages + "0");
}

TEST_F(SettingsTest, AnyDataSourceButOneMeansRandomData)
{
    ASSERT_TRUE(Profile().WriteInt("Data Sources", "DataSource", 2));
    CSettings settings;
    settings.LoadDataSources(Profile());
    EXPECT_EQ(settings.supplied, 0);
    EXPECT_EQ(settings.random, 1);
}

TEST(DecimalValue, ReadsLeadingBlanksSignAndDigitsAndSaturates)
{
    EXPECT_EQ(DecimalValue(""), 0);
    EXPECT_EQ(DecimalValue("abc"), 0);
    EXPECT_EQ(DecimalValue("- 5"), 0);
    EXPECT_EQ(DecimalValue(" \t-42"), -42);
    EXPECT_EQ(DecimalValue("+17x"), 17);
    EXPECT_EQ(DecimalValue(std::to_string(LONG_MAX)), LONG_MAX);
    EXPECT_EQ(DecimalValue("99999999999999999999999"), LONG_MAX);
    EXPECT_EQ(DecimalValue("-99999999999999999999999"), LONG_MIN);
}

}  // namespace
}  // namespace kestrion
