#include "platform/Profile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>

#include "TempFolder.h"

namespace kestrion {
namespace {

class ProfileTest : public ::testing::Test {
protected:
    std::filesystem::path File() const { return m_folder.Path() / "demo.ini"; }
    CProfile Profile() const { return CProfile(File()); }

    CTempFolder m_folder;
};

TEST_F(ProfileTest, SectionsAndKeysMatchWhateverTheirCaseAndBlanksAreTrimmed)
{
    WriteText(File(),
              "[Data Sources]\n"
              "  MeasSerialPort =  COM3  \n"
              "\tDataSource\t=\t0\n"
              "[ Map View ]\n"
              "Ring 1=15\n");
    EXPECT_EQ(Profile().GetString("data sources", "MEASSERIALPORT", "x"), "COM3");
    EXPECT_EQ(Profile().GetInt("DATA SOURCES", "datasource", 1), 0);
    EXPECT_EQ(Profile().GetInt("map view", "ring 1", 10), 15);
}

TEST_F(ProfileTest, KeysBelongOnlyToTheirOwnSectionAndTheFirstOfANameCounts)
{
    WriteText(File(),
              "Orphan=1\n"
              "[A]\n"
              "Key=first\n"
              "Key=second\n"
              "; Other=commented\n"
              "# Hash=commented\n"
              "[B]\n"
              "Other=b\n"
              "[a]\n"
              "Late=ignored\n");
    EXPECT_EQ(Profile().GetString("A", "Key", ""), "first");
    EXPECT_EQ(Profile().GetString("A", "Other", "none"), "none");
    EXPECT_EQ(Profile().GetString("A", "; Other", "none"), "none");
    EXPECT_EQ(Profile().GetString("A", "# Hash", "none"), "none");
    EXPECT_EQ(Profile().GetString("A", "Late", "none"), "none");
    EXPECT_EQ(Profile().GetString("", "Orphan", "none"), "none");
    EXPECT_EQ(Profile().GetString("B", "Other", ""), "b");
}

TEST_F(ProfileTest, MissingFileSectionOrKeyGivesTheDefault)
{
    EXPECT_EQ(Profile().GetInt("Main", "Key", 42), 42);
    EXPECT_EQ(Profile().GetString("Main", "Key", "dflt"), "dflt");
    EXPECT_FALSE(std::filesystem::exists(File()));

    WriteText(File(), "[Main]\nKey=\n");
    EXPECT_EQ(Profile().GetInt("Other", "Key", 7), 7);
    EXPECT_EQ(Profile().GetInt("Main", "Missing", 7), 7);
    EXPECT_EQ(Profile().GetInt("Main", "Key", 7), 7);  // empty value
    EXPECT_EQ(Profile().GetString("Main", "Key", "dflt"), "");
}

TEST_F(ProfileTest, IntegersAreReadFromTheLeadingDecimalDigits)
{
    WriteText(File(),
              "[N]\n"
              "Plain=19200\n"
              "Negative=-12\n"
              "Plus=+5\n"
              "Trailing=38400 baud\n"
              "Text=NONE\n"
              "Hex=0x10\n"
              "Huge=99999999999999\n"
              "Tiny=-99999999999999\n");
    EXPECT_EQ(Profile().GetInt("N", "Plain", 0), 19200);
    EXPECT_EQ(Profile().GetInt("N", "Negative", 0), -12);
    EXPECT_EQ(Profile().GetInt("N", "Plus", 0), 5);
    EXPECT_EQ(Profile().GetInt("N", "Trailing", 0), 38400);
    EXPECT_EQ(Profile().GetInt("N", "Text", 9), 0);
    EXPECT_EQ(Profile().GetInt("N", "Hex", 9), 0);
    EXPECT_EQ(Profile().GetInt("N", "Huge", 0), 2147483647);
    EXPECT_EQ(Profile().GetInt("N", "Tiny", 0), -2147483647 - 1);
}

TEST_F(ProfileTest, WriteReplacesOnlyItsKeyAndKeepsEveryOtherByte)
{
    const std::string before =
        "; settings of the demo\r\n"
        "[Main]\r\n"
        "OpenViews=10100000\r\n"
        "\r\n"
        "[Data Sources]\r\n"
        "# chosen by hand\r\n"
        "Unknown Key = kept as is \r\n"
        "measserialbaud = 9600\r\n"
        "MeasSerialPort=COM2\r\n"
        "\r\n"
        "[Logging]\r\n"
        "FileName=a.gps";
    WriteText(File(), before);

    ASSERT_TRUE(Profile().WriteString("DATA SOURCES", "MeasSerialBaud", "115200"));

    std::string after = before;
    after.replace(after.find("measserialbaud = 9600"), 21, "MeasSerialBaud=115200");
    EXPECT_EQ(ReadText(File()), after);
    EXPECT_EQ(Profile().GetInt("Data Sources", "MeasSerialBaud", 0), 115200);
}

TEST_F(ProfileTest, NewKeyFollowsTheLastKeyOfItsSectionAndNewSectionGoesLast)
{
    WriteText(File(),
              "[Main]\n"
              "OpenViews=1\n"
              "; about the next section\n"
              "\n"
              "[Logging]\n"
              "FileName=a.gps");

    ASSERT_TRUE(Profile().WriteString("main", "WplFlags", "0"));
    ASSERT_TRUE(Profile().WriteString("Logging", "Messages", "001"));
    ASSERT_TRUE(Profile().WriteInt("Map View", "Ring 1", -15));

    EXPECT_EQ(ReadText(File()),
              "[Main]\n"
              "OpenViews=1\n"
              "WplFlags=0\n"
              "; about the next section\n"
              "\n"
              "[Logging]\n"
              "FileName=a.gps\n"
              "Messages=001\n"
              "[Map View]\n"
              "Ring 1=-15\n");
}

TEST_F(ProfileTest, AddedLinesUseTheLineEndOfTheFile)
{
    WriteText(File(), "[Main]\r\nOpenViews=1\r\n");
    ASSERT_TRUE(Profile().WriteString("Main", "WplFlags", "2"));
    ASSERT_TRUE(Profile().WriteString("Logging", "FileName", "b.gps"));
    EXPECT_EQ(ReadText(File()), "[Main]\r\nOpenViews=1\r\nWplFlags=2\r\n[Logging]\r\nFileName=b.gps\r\n");
}

TEST_F(ProfileTest, FirstWriteCreatesTheFolderAndTheFile)
{
    const CProfile profile(m_folder.Path() / "config" / "demo" / "demo.ini");
    ASSERT_TRUE(profile.WriteInt("Random Data", "Timer Delay", 250));
    EXPECT_EQ(ReadText(profile.Path()), "[Random Data]\nTimer Delay=250\n");
    EXPECT_EQ(profile.GetInt("random data", "timer delay", 1000), 250);
}

TEST_F(ProfileTest, WriteLeavesNoTemporaryFileBehind)
{
    ASSERT_TRUE(Profile().WriteString("Main", "A", "1"));
    ASSERT_TRUE(Profile().WriteString("Main", "B", "2"));
    std::vector<std::filesystem::path> entries;
    for (const auto& entry : std::filesystem::directory_iterator(m_folder.Path())) {
        entries.push_back(entry.path().filename());
    }
    EXPECT_EQ(entries, std::vector<std::filesystem::path>{"demo.ini"});
}

TEST_F(ProfileTest, FailedWriteReturnsFalseAndKeepsTheOldFile)
{
    WriteText(File(), "[Main]\nA=1\n");
    // The temporary file's name is taken by a folder: no one, root included, can create it.
    std::filesystem::path blocker = File();
    blocker += ".tmp-" + std::to_string(::getpid());
    std::filesystem::create_directory(blocker);

    EXPECT_FALSE(Profile().WriteString("Main", "A", "2"));
    EXPECT_EQ(ReadText(File()), "[Main]\nA=1\n");

    // A folder that cannot be created.
    WriteText(m_folder.Path() / "plain", "");
    EXPECT_FALSE(CProfile(m_folder.Path() / "plain" / "demo.ini").WriteString("Main", "A", "2"));
}

TEST_F(ProfileTest, WriteIntoReadOnlyFolderFailsAndKeepsTheOldFile)
{
    WriteText(File(), "[Main]\nA=1\n");
    std::filesystem::permissions(m_folder.Path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    if (::access(m_folder.Path().c_str(), W_OK) == 0) {
        GTEST_SKIP() << "folder permissions are not enforced for this user";
    }
    EXPECT_FALSE(Profile().WriteString("Main", "A", "2"));
    EXPECT_EQ(Profile().GetInt("Main", "A", 0), 1);
}

// Sets environment variables for one test and restores them afterwards.
class CEnvironment {
public:
    void Set(const char* name, const char* value)
    {
        const char* old = std::getenv(name);
        m_saved.push_back({name, old ? std::optional<std::string>(old) : std::nullopt});
        if (value) {
            ::setenv(name, value, 1);
        } else {
            ::unsetenv(name);
        }
    }
    ~CEnvironment()
    {
        for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it) {
            if (it->second) {
                ::setenv(it->first.c_str(), it->second->c_str(), 1);
            } else {
                ::unsetenv(it->first.c_str());
            }
        }
    }

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
};

TEST_F(ProfileTest, ProfilePathIsBesideTheExecutableWhenThatFileExists)
{
    CEnvironment environment;
    environment.Set("XDG_CONFIG_HOME", (m_folder.Path() / "xdg").c_str());
    const std::filesystem::path executable = m_folder.Path() / "kestrion-demo";
    WriteText(m_folder.Path() / "kestrion-demo.ini", "");

    EXPECT_EQ(FindProfilePath(executable), m_folder.Path() / "kestrion-demo.ini");
    // A renamed executable looks for a file of its own name.
    EXPECT_EQ(FindProfilePath(m_folder.Path() / "demo-3.36"), m_folder.Path() / "xdg" / "demo-3.36" / "demo-3.36.ini");
}

TEST_F(ProfileTest, ProfilePathFallsBackToTheUserConfigurationFolder)
{
    CEnvironment environment;
    const std::filesystem::path executable = m_folder.Path() / "bin" / "kestrion-demo";
    environment.Set("HOME", (m_folder.Path() / "home").c_str());

    environment.Set("XDG_CONFIG_HOME", (m_folder.Path() / "xdg").c_str());
    EXPECT_EQ(FindProfilePath(executable), m_folder.Path() / "xdg" / "kestrion-demo" / "kestrion-demo.ini");

    const std::filesystem::path underHome = m_folder.Path() / "home" / ".config" / "kestrion-demo" / "kestrion-demo.ini";
    environment.Set("XDG_CONFIG_HOME", "");
    EXPECT_EQ(FindProfilePath(executable), underHome);
    environment.Set("XDG_CONFIG_HOME", nullptr);
    EXPECT_EQ(FindProfilePath(executable), underHome);
    environment.Set("XDG_CONFIG_HOME", "relative/folder");
    EXPECT_EQ(FindProfilePath(executable), underHome);
}

}  // namespace
}  // namespace kestrion
