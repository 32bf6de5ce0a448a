#include "platform/Profile.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <random>
#include <vector>

#include "support/TempFolder.h"
#include "platform/IniText.h"

namespace kestrion {
namespace {

class ProfileTest : public ::testing::Test {
protected:
    std::filesystem::path File() const { return m_folder.Path() / "demo.ini"; }
    CProfile Profile() const { return CProfile(File()); }

    CTempFolder m_folder;
};

TEST_F(ProfileTest, LookupIgnoresCaseBlanksCommentsAndOtherSections)
{
    WriteText(File(), "Orphan=1\n[ Data Sources ]\n  MeasSerialPort =  COM3  \n; Commented=1\nMeasSerialPort=second\n"
                      "[Map View]\nRing 1=15\n[data sources]\nLate=ignored\n");
    EXPECT_EQ(Profile().GetString("DATA SOURCES", "measserialport", ""), "COM3");
    EXPECT_EQ(Profile().GetInt("map view", "RING 1", 10), 15);
    for (const char* key : {"Ring 1", "; Commented", "Late"}) {
        EXPECT_EQ(Profile().GetString("Data Sources", key, "none"), "none") << key;
    }
    EXPECT_EQ(Profile().GetString("", "Orphan", "none"), "none");
}

TEST_F(ProfileTest, MissingOrEmptyValuesGiveTheDefaultAndIntegersTakeTheLeadingDigits)
{
    EXPECT_EQ(Profile().GetInt("N", "Plain", 42), 42);
    EXPECT_EQ(Profile().GetString("N", "Plain", "dflt"), "dflt");
    EXPECT_FALSE(std::filesystem::exists(File()));

    WriteText(File(), "[N]\nEmpty=\nPlain=19200\nSigned=-12\nTrailing=+38400 baud\nText=NONE\nHuge=99999999999\n");
    EXPECT_EQ(Profile().GetString("N", "Empty", "dflt"), "");
    const std::pair<const char*, int> cases[] = {
        {"Empty", 7}, {"Plain", 19200}, {"Signed", -12}, {"Trailing", 38400}, {"Text", 0}, {"Huge", 2147483647},
    };
    for (const auto& [key, value] : cases) {
        EXPECT_EQ(Profile().GetInt("N", key, 7), value) << key;
    }
}

TEST_F(ProfileTest, WriteReplacesOnlyItsKeyAndKeepsEveryOtherByte)
{
    const std::string before = "; settings of the demo\r\n[Main]\r\nOpenViews=10100000\r\n\r\n[Data Sources]\r\n"
                               "Unknown Key = kept as is \r\nmeasserialbaud = 9600\r\nMeasSerialPort=COM2\r\n"
                               "[Logging]\r\nFileName=a.gps";
    WriteText(File(), before);
    ASSERT_TRUE(Profile().WriteString("DATA SOURCES", "MeasSerialBaud", "115200"));
    std::string after = before;
    after.replace(after.find("measserialbaud = 9600"), 21, "MeasSerialBaud=115200");
    EXPECT_EQ(ReadText(File()), after);
}

TEST_F(ProfileTest, NewKeyFollowsTheLastKeyOfItsSectionAndNewSectionGoesLast)
{
    WriteText(File(), "[Main]\nOpenViews=1\n; about logging\n\n[Logging]\nFileName=a.gps");
    ASSERT_TRUE(Profile().WriteString("main", "WplFlags", "0"));
    ASSERT_TRUE(Profile().WriteString("Logging", "Messages", "001"));
    ASSERT_TRUE(Profile().WriteInt("Map View", "Ring 1", -15));
    EXPECT_EQ(ReadText(File()), "[Main]\nOpenViews=1\nWplFlags=0\n; about logging\n\n"
                                "[Logging]\nFileName=a.gps\nMessages=001\n[Map View]\nRing 1=-15\n");

    WriteText(File(), "[Main]\r\nOpenViews=1\r\n");
    ASSERT_TRUE(Profile().WriteString("Logging", "FileName", "b.gps"));
    EXPECT_EQ(ReadText(File()), "[Main]\r\nOpenViews=1\r\n[Logging]\r\nFileName=b.gps\r\n");
}

TEST_F(ProfileTest, WriteReplacesTheFileWholeOrNotAtAll)
{
    const std::filesystem::path folder = m_folder.Path() / "config" / "demo";
    const CProfile profile(folder / "demo.ini");
    ASSERT_TRUE(profile.WriteInt("Random Data", "Timer Delay", 250));
    ASSERT_TRUE(profile.WriteInt("Random Data", "Timer Delay", 500));
    EXPECT_EQ(ReadText(profile.Path()), "[Random Data]\nTimer Delay=500\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);  // no temporary file left

    // A key inserted above an unterminated last line leaves that line as it was.
    WriteText(File(), "[A]\nx=1\n[B]\ny=2");
    ASSERT_TRUE(Profile().WriteString("A", "z", "3"));
    EXPECT_EQ(ReadText(File()), "[A]\nx=1\nz=3\n[B]\ny=2");
}

TEST_F(ProfileTest, OneSaveIsOneWriteAndKeepsTheFilesMode)
{
    WriteText(File(), "[Main]\nA=1\n");
    ::chmod(File().c_str(), 0640);
    const CProfile profile = Profile();
    {
        const CProfileSave save(profile);
        const CProfileSave nested(profile);
        profile.WriteString("Main", "A", "2");
        profile.WriteString("Main", "B", "3");
        EXPECT_EQ(ReadText(File()), "[Main]\nA=1\n");
        EXPECT_EQ(profile.GetString("Main", "B", ""), "3");  // seen before it is saved
    }
    EXPECT_EQ(ReadText(File()), "[Main]\nA=2\nB=3\n");
    EXPECT_EQ(std::filesystem::status(File()).permissions(), std::filesystem::perms(0640));
}

TEST_F(ProfileTest, HandEditsAreSeenAndKeptBySaves)
{
    const CProfile profile = Profile();
    WriteText(File(), "[Main]\nA=1\n");
    EXPECT_EQ(profile.GetString("Main", "A", ""), "1");
    WriteText(File(), "[Main]\nA=22\nHand=made\n");
    EXPECT_EQ(profile.GetString("Main", "A", ""), "22");
    WriteText(File(), "[Main]\nA=22\nHand=edit\n");  // same size, a new modification time
    ASSERT_TRUE(profile.WriteString("Main", "A", "3"));
    EXPECT_EQ(ReadText(File()), "[Main]\nA=3\nHand=edit\n");
}

TEST_F(ProfileTest, ASymbolicLinkIsWrittenThrough)
{
    WriteText(m_folder.Path() / "real.ini", "[Main]\nA=1\n");
    std::filesystem::create_directory(m_folder.Path() / "links");
    std::filesystem::create_symlink("../real.ini", m_folder.Path() / "links" / "demo.ini");
    const CProfile profile(m_folder.Path() / "links" / "demo.ini");
    ASSERT_TRUE(profile.WriteString("Main", "A", "2"));
    EXPECT_TRUE(std::filesystem::is_symlink(profile.Path()));
    EXPECT_EQ(ReadText(m_folder.Path() / "real.ini"), "[Main]\nA=2\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_folder.Path() / "links"), {}), 1);
}

TEST_F(ProfileTest, ALinkPlantedBesideTheFileIsNeverFollowed)
{
    const std::filesystem::path victim = m_folder.Path() / "victim";
    WriteText(victim, "precious");
    WriteText(File(), "[Main]\nA=1\n");
    // The names a guessable temporary file would take.
    for (const std::string& suffix : {std::string(".tmp"), ".tmp-" + std::to_string(::getpid()), std::string(".new")}) {
        std::filesystem::create_symlink(victim, File().string() + suffix);
    }
    ASSERT_TRUE(Profile().WriteString("Main", "A", "2"));
    EXPECT_EQ(ReadText(victim), "precious");
    EXPECT_EQ(ReadText(File()), "[Main]\nA=2\n");
}

TEST_F(ProfileTest, FailuresAreReportedAndTheValuesLastTheRun)
{
    std::vector<std::string> reports;
    const auto reportTo = [&reports](const CProfile& profile) {
        profile.SetFailureReport([&reports](const std::string& message) { reports.push_back(message); });
    };
    // A folder where the file should be: nothing to read, nothing replaced.
    std::filesystem::create_directory(File());
    const CProfile folder = Profile();
    reportTo(folder);
    EXPECT_EQ(folder.ReadError(), "Is a directory");
    EXPECT_EQ(folder.GetInt("Main", "A", 7), 7);
    EXPECT_FALSE(folder.WriteString("Main", "A", "2"));
    EXPECT_TRUE(std::filesystem::is_directory(File()));

    // A file where the folder should be.
    WriteText(m_folder.Path() / "plain", "");
    const CProfile misplaced(m_folder.Path() / "plain" / "demo.ini");
    reportTo(misplaced);
    EXPECT_EQ(misplaced.ReadError(), "Not a directory");
    {
        const CProfileSave save(misplaced);
        misplaced.WriteString("Main", "A", "2");
        misplaced.WriteString("Main", "B", "3");
    }
    EXPECT_EQ(misplaced.GetString("Main", "A", ""), "2");
    EXPECT_EQ(reports, (std::vector<std::string>{
                           "Cannot save the settings file " + File().string() + ": Is a directory",
                           "Cannot save the settings file " + misplaced.Path().string() + ": Not a directory"}));
}

// A process killed at any moment of a save leaves the old file or the new one.
TEST_F(ProfileTest, AKilledSaveLeavesTheOldFileOrTheNew)
{
    constexpr int kKeys = 300;
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        WriteText(File(), "");
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const CProfile profile = Profile();
            for (int value = 0;; value = 1 - value) {
                const CProfileSave save(profile);
                for (int key = 0; key < kKeys; ++key) {
                    profile.WriteInt("Keys", "Key " + std::to_string(key), value);
                }
            }
        }
        ::usleep(std::uniform_int_distribution<useconds_t>(1000, 30000)(random));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const std::string text = ReadText(File());
        if (text.empty()) {
            continue;  // killed before its first save
        }
        const CIniText ini(text);
        const std::optional<std::string> first = ini.Find("Keys", "Key 0");
        ASSERT_TRUE(first) << "round " << round;
        for (int key = 1; key < kKeys; ++key) {
            ASSERT_EQ(ini.Find("Keys", "Key " + std::to_string(key)), first) << "round " << round << " key " << key;
        }
    }
}

TEST_F(ProfileTest, ProfileIsBesideTheExecutableWhenThereElseInTheUserConfigurationFolder)
{
    const char* oldHome = std::getenv("HOME");
    const char* oldXdg = std::getenv("XDG_CONFIG_HOME");
    const std::string home = oldHome ? oldHome : "", xdg = oldXdg ? oldXdg : "";
    const auto setXdg = [](const char* value) {
        value ? ::setenv("XDG_CONFIG_HOME", value, 1) : ::unsetenv("XDG_CONFIG_HOME");
    };
    const std::filesystem::path& at = m_folder.Path();
    ::setenv("HOME", (at / "home").c_str(), 1);
    setXdg((at / "xdg").c_str());

    WriteText(at / "kestrion-demo.ini", "");
    EXPECT_EQ(FindProfilePath(at / "kestrion-demo"), at / "kestrion-demo.ini");
    // A renamed executable looks for a file of its own name.
    EXPECT_EQ(FindProfilePath(at / "demo-3.36"), at / "xdg" / "demo-3.36" / "demo-3.36.ini");
    EXPECT_EQ(FindProfilePath(at / "bin" / "kestrion-demo"), at / "xdg" / "kestrion-demo" / "kestrion-demo.ini");
    for (const char* unusable : {"", "relative/folder", static_cast<const char*>(nullptr)}) {
        setXdg(unusable);
        EXPECT_EQ(FindProfilePath(at / "bin" / "kestrion-demo"),
                  at / "home" / ".config" / "kestrion-demo" / "kestrion-demo.ini")
            << (unusable ? unusable : "unset");
    }
    oldHome ? ::setenv("HOME", home.c_str(), 1) : ::unsetenv("HOME");
    setXdg(oldXdg ? xdg.c_str() : nullptr);
}

}  // namespace
}  // namespace kestrion
