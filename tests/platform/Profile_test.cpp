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

TEST_F(ProfileTest, LookupIgnoresCaseBlanksCommentsAndOtherSections)
{
    WriteText(File(),
              "Orphan=1\n"
              "[ Data Sources ]\n"
              "  MeasSerialPort =  COM3  \n"
              "; Commented=1\n"
              "MeasSerialPort=second\n"
              "[Map View]\n"
              "Ring 1=15\n"
              "[data sources]\n"
              "Late=ignored\n");
    EXPECT_EQ(Profile().GetString("DATA SOURCES", "measserialport", ""), "COM3");
    EXPECT_EQ(Profile().GetInt("map view", "RING 1", 10), 15);
    EXPECT_EQ(Profile().GetString("Data Sources", "Ring 1", "none"), "none");
    EXPECT_EQ(Profile().GetString("Data Sources", "; Commented", "none"), "none");
    EXPECT_EQ(Profile().GetString("Data Sources", "Late", "none"), "none");
    EXPECT_EQ(Profile().GetString("", "Orphan", "none"), "none");
}

TEST_F(ProfileTest, MissingOrEmptyValuesGiveTheDefaultAndIntegersTakeTheLeadingDigits)
{
    EXPECT_EQ(Profile().GetInt("N", "Plain", 42), 42);
    EXPECT_EQ(Profile().GetString("N", "Plain", "dflt"), "dflt");
    EXPECT_FALSE(std::filesystem::exists(File()));

    WriteText(File(), "[N]\nEmpty=\nPlain=19200\nSigned=-12\nTrailing=+38400 baud\nText=NONE\nHuge=99999999999\n");
    EXPECT_EQ(Profile().GetInt("N", "Empty", 7), 7);
    EXPECT_EQ(Profile().GetString("N", "Empty", "dflt"), "");
    EXPECT_EQ(Profile().GetInt("N", "Plain", 0), 19200);
    EXPECT_EQ(Profile().GetInt("N", "Signed", 0), -12);
    EXPECT_EQ(Profile().GetInt("N", "Trailing", 0), 38400);
    EXPECT_EQ(Profile().GetInt("N", "Text", 9), 0);
    EXPECT_EQ(Profile().GetInt("N", "Huge", 0), 2147483647);
}

TEST_F(ProfileTest, WriteReplacesOnlyItsKeyAndKeepsEveryOtherByte)
{
    const std::string before =
        "; settings of the demo\r\n"
        "[Main]\r\n"
        "OpenViews=10100000\r\n"
        "\r\n"
        "[Data Sources]\r\n"
        "Unknown Key = kept as is \r\n"
        "measserialbaud = 9600\r\n"
        "MeasSerialPort=COM2\r\n"
        "[Logging]\r\n"
        "FileName=a.gps";
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
    EXPECT_EQ(ReadText(File()),
              "[Main]\nOpenViews=1\nWplFlags=0\n; about logging\n\n"
              "[Logging]\nFileName=a.gps\nMessages=001\n"
              "[Map View]\nRing 1=-15\n");

    WriteText(File(), "[Main]\r\nOpenViews=1\r\n");
    ASSERT_TRUE(Profile().WriteString("Logging", "FileName", "b.gps"));
    EXPECT_EQ(ReadText(File()), "[Main]\r\nOpenViews=1\r\n[Logging]\r\nFileName=b.gps\r\n");
}

TEST_F(ProfileTest, WriteCreatesTheFolderAndLeavesNoTemporaryFile)
{
    const std::filesystem::path folder = m_folder.Path() / "config" / "demo";
    const CProfile profile(folder / "demo.ini");
    ASSERT_TRUE(profile.WriteInt("Random Data", "Timer Delay", 250));
    ASSERT_TRUE(profile.WriteInt("Random Data", "Timer Delay", 500));

    EXPECT_EQ(ReadText(profile.Path()), "[Random Data]\nTimer Delay=500\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
}

TEST_F(ProfileTest, FailedWriteReturnsFalseAndKeepsTheOldFile)
{
    WriteText(File(), "[Main]\nA=1\n");
    // A folder takes the temporary file's name: no one, root included, can create that file.
    std::filesystem::path blocker = File();
    blocker += ".tmp-" + std::to_string(::getpid());
    std::filesystem::create_directory(blocker);
    EXPECT_FALSE(Profile().WriteString("Main", "A", "2"));
    EXPECT_EQ(ReadText(File()), "[Main]\nA=1\n");

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
    EXPECT_EQ(ReadText(File()), "[Main]\nA=1\n");
}

// Sets an environment variable (or removes it, for nullptr) until the end of the test.
class CEnvironmentValue {
public:
    CEnvironmentValue(const char* name, const char* value) : m_name(name)
    {
        if (const char* old = std::getenv(name)) {
            m_old = old;
        }
        Apply(value);
    }
    ~CEnvironmentValue() { Apply(m_old ? m_old->c_str() : nullptr); }
    void Apply(const char* value) { value ? ::setenv(m_name, value, 1) : ::unsetenv(m_name); }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

TEST_F(ProfileTest, ProfilePathIsBesideTheExecutableWhenThatFileExists)
{
    const CEnvironmentValue xdg("XDG_CONFIG_HOME", (m_folder.Path() / "xdg").c_str());
    WriteText(m_folder.Path() / "kestrion-demo.ini", "");

    EXPECT_EQ(FindProfilePath(m_folder.Path() / "kestrion-demo"), m_folder.Path() / "kestrion-demo.ini");
    // A renamed executable looks for a file of its own name.
    EXPECT_EQ(FindProfilePath(m_folder.Path() / "demo-3.36"), m_folder.Path() / "xdg" / "demo-3.36" / "demo-3.36.ini");
}

TEST_F(ProfileTest, ProfilePathFallsBackToTheUserConfigurationFolder)
{
    const std::filesystem::path executable = m_folder.Path() / "bin" / "kestrion-demo";
    const CEnvironmentValue home("HOME", (m_folder.Path() / "home").c_str());
    CEnvironmentValue xdg("XDG_CONFIG_HOME", (m_folder.Path() / "xdg").c_str());
    EXPECT_EQ(FindProfilePath(executable), m_folder.Path() / "xdg" / "kestrion-demo" / "kestrion-demo.ini");

    const std::filesystem::path underHome = m_folder.Path() / "home" / ".config" / "kestrion-demo" / "kestrion-demo.ini";
    for (const char* unusable : {"", "relative/folder", static_cast<const char*>(nullptr)}) {
        xdg.Apply(unusable);
        EXPECT_EQ(FindProfilePath(executable), underHome) << (unusable ? unusable : "unset");
    }
}

}  // namespace
}  // namespace kestrion
