// The measured serial line kept in the settings file: read as one value, and written key by
// key only where the user's choice differs from what is stored.
#include <gtest/gtest.h>

#include "support/TempFolder.h"
#include "platform/Settings.h"

namespace kestrion {
namespace {

class MeasuredLineTest : public ::testing::Test {
protected:
    std::filesystem::path File() const { return m_folder.Path() / "demo.ini"; }
    CProfile Profile() const { return CProfile(File()); }
    CTempFolder m_folder;
};

TEST_F(MeasuredLineTest, MissingKeysGiveTheDefaultsAsked)
{
    WriteText(File(), "[Data Sources]\nMeasSerialPort=COM4\nMeasSerialParity=EVEN\n");
    const SerialSettings stored = Settings::StoredMeasuredLine(Profile(), {"9600", "8", "NONE", "1"});
    EXPECT_EQ(stored.baud + stored.dataBits + stored.parity + stored.stopBits, "96008EVEN1");

    Settings settings;
    settings.LoadDataSources(Profile());
    const SerialSettings loaded = settings.MeasuredLine();
    EXPECT_EQ(loaded.baud + loaded.dataBits + loaded.parity + loaded.stopBits, "192008EVEN1");
    const SerialSettings defaults = Settings::DefaultMeasuredLine();
    EXPECT_EQ(defaults.baud + defaults.dataBits + defaults.parity + defaults.stopBits, "192008NONE1");

    EXPECT_EQ(Settings::StoredText(Profile(), &Settings::measSerialPort), "COM4");
    EXPECT_EQ(Settings::StoredText(Profile(), &Settings::measSerialBaud), "") << "no default for the title";
    EXPECT_EQ(Settings::StoredText(Profile(), &Settings::logFileName), "");
}

TEST_F(MeasuredLineTest, SavingWritesOnlyTheTextsThatChanged)
{
    const std::string text = "[Data Sources]\nMeasSerialBaud=4800\nMeasSerialParity=NONE\n";
    WriteText(File(), text);
    Settings::SaveMeasuredLine(Profile(), {"4800", "8", "NONE", "1"});  // the stored line and the defaults
    EXPECT_EQ(ReadText(File()), text);

    Settings::SaveMeasuredLine(Profile(), {"38400", "7", "NONE", "1"});
    EXPECT_EQ(ReadText(File()), "[Data Sources]\nMeasSerialBaud=38400\nMeasSerialParity=NONE\nMeasSerialDBits=7\n");

    // Loading and saving the whole section keeps the line's keys in their place.
    std::filesystem::remove(File());
    Settings settings;
    settings.SetMeasuredLine({"57600", "8", "ODD", "2"});
    settings.SaveDataSources(Profile());
    const std::string saved = ReadText(File());
    EXPECT_NE(saved.find("MeasSerialPort=COM1\nMeasSerialBaud=57600\nMeasSerialDBits=8\nMeasSerialParity=ODD\n"
                         "MeasSerialSBits=2\nMeasRI=1\n"),
              std::string::npos)
        << saved;
}

}  // namespace
}  // namespace kestrion
