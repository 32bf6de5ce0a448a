#include "platform/Settings.h"

#include <gtest/gtest.h>

#include <climits>

#include "support/TempFolder.h"

namespace kestrion {
namespace {

class SettingsTest : public ::testing::Test {
protected:
    std::filesystem::path File() const { return m_folder.Path() / "demo.ini"; }
    CProfile Profile() const { return CProfile(File()); }

    void LoadAll(Settings& settings) const
    {
        settings.LoadDataSources(Profile());  // also loads Logging and ReceiverInit
        settings.LoadMapView(Profile());
        settings.LoadSignalView(Profile());
        settings.LoadRadarView(Profile());
        settings.LoadTimerDelay(Profile());
        settings.LoadExternalTimer(Profile());
    }

    // The profile text that saving every section into a fresh file gives.
    std::string SavedText(const Settings& settings) const
    {
        std::filesystem::remove(File());
        settings.SaveDataSources(Profile());
        settings.SaveLogging(Profile());
        settings.SaveReceiverInit(Profile());
        settings.SaveMapView(Profile());
        settings.SaveSignalView(Profile());
        settings.SaveRadarView(Profile());
        settings.SaveTimerDelay(Profile());
        settings.SaveExternalTimer(Profile());
        return ReadText(File());
    }

    CTempFolder m_folder;
};

TEST_F(SettingsTest, EveryKeyIsLoadedAndSavedBackInItsOwnFormAndMissingKeysGiveTheDefaults)
{
    // No value is a default, so a key that is not loaded changes the saved text.
    const std::string text =
        "[Data Sources]\nDataSource=0\nUseTrue=1\nTrueSource=1\nTrueFileName=/data/truth.txt\n"
        "TrueSerialPort=/dev/ttyUSB1\nTrueSerialBaud=4800\nTrueWeekNo=1024\nTrueTOW=3600\nUseMeas=1\nMeasSource=0\n"
        "MeasBFileName=run 1.bin\nMeasBFileType=CSV\nMeasSerialPort=/dev/ttyS0\nMeasSerialBaud=38400\n"
        "MeasSerialDBits=7\nMeasSerialParity=EVEN\nMeasSerialSBits=2\nMeasRI=0\n[Logging]\nFileName=today.gps\n"
        "Messages=1" + std::string(254, '0') + "1\n[ReceiverInit]\nX=-2694685\nY=-4293642\nZ=3857878\nClock=96000\n"
        "UseDOSTime=1\nTOW=40000000\nWeekNo=1100\nChannels=8\nResetMode=3\nEnableRawTrackMessages=1\n"
        "EnableDebugMessages=1\n[Map View]\nScale=2.25\nCenter Fixed=1\nLat=37.375000\nLon=-121.500000\n"
        "Ring 1=5\nRing 2=50\nRing 3=500\nCEP Circles=1\n[Signal View]\nGraph Type=2\n[Radar View]\n"
        "Orientation=1\n"
        "Outer Radius Velocity=12.50\nOuter Radius Position=80\n[Random Data]\nTimer Delay=250\n"
        "[File Data]\nExternal Timer=1\n";
    WriteText(File(), text);
    Settings settings;
    LoadAll(settings);
    EXPECT_EQ(settings.supplied, 0);
    EXPECT_EQ(settings.random, 1);
    EXPECT_EQ(SavedText(settings), text);

    // Loading from no file at all overwrites every value with its default and creates nothing.
    std::filesystem::remove(File());
    LoadAll(settings);
    EXPECT_FALSE(std::filesystem::exists(File()));
    EXPECT_EQ(settings.supplied, 1);
    EXPECT_EQ(settings.random, 0);
    std::string onlyMid2(256, '0');
    onlyMid2[2] = '1';
    EXPECT_EQ(SavedText(settings),
              "[Data Sources]\nDataSource=1\nUseTrue=0\nTrueSource=0\nTrueFileName=\nTrueSerialPort=\nTrueSerialBaud=\n"
              "TrueWeekNo=\nTrueTOW=\nUseMeas=0\nMeasSource=1\nMeasBFileName=\nMeasBFileType=Hex\nMeasSerialPort=COM1\n"
              "MeasSerialBaud=19200\nMeasSerialDBits=8\nMeasSerialParity=NONE\nMeasSerialSBits=1\nMeasRI=1\n"
              "[Logging]\nFileName=kestrion.gps\nMessages=" + onlyMid2 + "\n[ReceiverInit]\nX=0\nY=0\nZ=0\nClock=0\n"
              "UseDOSTime=0\nTOW=0\nWeekNo=0\nChannels=12\nResetMode=0\nEnableRawTrackMessages=0\n"
              "EnableDebugMessages=0\n"
              "[Map View]\nScale=0.50\nCenter Fixed=0\nLat=0.000000\nLon=0.000000\nRing 1=10\nRing 2=20\nRing 3=30\n"
              "CEP Circles=0\n"
              "[Signal View]\nGraph Type=0\n[Radar View]\nOrientation=0\nOuter Radius Velocity=4.00\n"
              "Outer Radius Position=20\n[Random Data]\nTimer Delay=1000\n[File Data]\nExternal Timer=0\n");

    // Scale keeps two decimals, latitude six; longs keep their whole range.
    settings.mapScale = 0.123;
    settings.mapLat = 37.123456789;
    settings.initX = LONG_MIN;
    SavedText(settings);
    LoadAll(settings);
    EXPECT_EQ(Profile().GetString("Map View", "Scale", ""), "0.12");
    EXPECT_DOUBLE_EQ(settings.mapScale, 0.12);
    EXPECT_DOUBLE_EQ(settings.mapLat, 37.123457);
    EXPECT_EQ(settings.initX, LONG_MIN);
}

TEST_F(SettingsTest, HandWrittenValuesReadLikeThePlainConversions)
{
    WriteText(File(),
              "[Data Sources]\nDataSource=2\n"  // anything but 1 means random data
              "[ReceiverInit]\nX= -1200 m\nY=north\n"
              "[Map View]\nScale=\nLat=+12.5e1xyz\nLon=west\n"
              "[Radar View]\nOuter Radius Velocity=.75\n");
    Settings s;
    LoadAll(s);
    EXPECT_EQ(s.supplied, 0);
    EXPECT_EQ(s.random, 1);
    EXPECT_EQ(s.initX, -1200);
    EXPECT_EQ(s.initY, 0);
    EXPECT_DOUBLE_EQ(s.mapScale, 0.5);  // empty: the default text
    EXPECT_DOUBLE_EQ(s.mapLat, 125.0);
    EXPECT_EQ(s.mapLon, 0.0);
    EXPECT_DOUBLE_EQ(s.radarVelocityRadius, 0.75);
}

TEST_F(SettingsTest, LoggedMessagesNeedAtLeast255Characters)
{
    // 254 characters only log MID 2; from 255 on, a '1' at a MID's place logs it, anything else not.
    std::string messages(255, '0'), onlyMid2(256, '0'), saved(256, '0');
    messages[0] = messages[254] = saved[0] = saved[254] = onlyMid2[2] = '1';
    messages[2] = 'x';
    const std::pair<std::string, std::string> cases[] = {{std::string(254, '1'), onlyMid2}, {messages, saved}};
    for (const auto& [text, expected] : cases) {
        ASSERT_TRUE(Profile().WriteString("Logging", "Messages", text));
        Settings settings;
        settings.logMessages.fill(1);
        settings.LoadLogging(Profile());
        settings.SaveLogging(Profile());
        EXPECT_EQ(Profile().GetString("Logging", "Messages", ""), expected);
    }
}

TEST(DecimalValue, ReadsLeadingBlanksSignAndDigitsAndSaturates)
{
    const std::pair<std::string, long> cases[] = {
        {"", 0}, {"abc", 0}, {"- 5", 0}, {" \t-42", -42}, {"+17x", 17}, {std::to_string(LONG_MAX), LONG_MAX},
        {"99999999999999999999999", LONG_MAX}, {"-99999999999999999999999", LONG_MIN},
    };
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(DecimalValue(text), value) << text;
    }
}

}  // namespace
}  // namespace kestrion
