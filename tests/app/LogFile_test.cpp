#include "app/LogFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "support/TempFolder.h"
#include "protocol/RecordRenderer.h"

namespace kestrion {
namespace {

using Journal = std::vector<std::string>;

constexpr std::time_t kStart = 1700000000;  // Tue Nov 14 22:13:20 2023 UTC
const std::string kOpening = "Kestrion Demo Version 3.36 log file opened Tue Nov 14 22:13:20 2023\n\n";

// The clock and the window around a log: what the log asked of the window is journaled.
struct CFakeHost : IClock, ILogEvents {
    std::time_t Now() const override { return now; }
    void RefreshTitle() override { journal.emplace_back("title"); }
    void ShowWriteError(std::string_view message) override { journal.push_back("error:" + std::string(message)); }
    bool RunSettingsDialog() override
    {
        journal.emplace_back("dialog");
        onDialog();
        return answer;
    }
    std::time_t now = kStart;
    Journal journal;
    bool answer = true;
    std::function<void()> onDialog = [] {};
};

CMessageRecord Record(uint8_t type, uint32_t tow = 0)
{
    CMessageRecord record;
    record.SetType(type);
    record.nav.mid = type;
    record.nav.tow = tow;
    return record;
}

std::string Line(const CMessageRecord& record)
{
    std::string text;
    RenderRecord(record, 2, text);
    return text + "\n";
}

class LogFileTest : public ::testing::Test {
protected:
    // "%c" texts are in UTC while a test runs.
    LogFileTest()
    {
        ::setenv("TZ", "UTC0", 1);
        ::tzset();
        WriteText(m_path, "earlier session\n");
        SetLogging(m_path.string(), "");
    }
    ~LogFileTest() override
    {
        m_zone.empty() ? ::unsetenv("TZ") : ::setenv("TZ", m_zone.c_str(), 1);
        ::tzset();
    }
    void SetLogging(const std::string& fileName, const std::string& messages) const
    {
        m_profile.WriteString("Logging", "FileName", fileName);
        m_profile.WriteString("Logging", "Messages", messages);
    }

    const std::string m_zone = std::getenv("TZ") != nullptr ? std::getenv("TZ") : "";
    CTempFolder m_folder;
    std::filesystem::path m_path = m_folder.Path() / "test.gps";
    CProfile m_profile{m_folder.Path() / "kestrion.ini"};
    CFakeHost m_host;
    CLogFile m_log{m_profile, m_host, m_host};
};

TEST_F(LogFileTest, AppendsSelectedRecordsAndDirectLinesInOrderBetweenOpeningAndClosingLines)
{
    CMessageRecord text = Record(255);
    text.SetText("$GPGGA,1");
    CFakeHost otherHost;
    CLogFile other(m_profile, otherHost, otherHost);

    ASSERT_TRUE(m_log.Open(false));
    EXPECT_FALSE(other.Open(false)) << "a second writer is locked out";
    EXPECT_EQ(other.Failure(), EWOULDBLOCK);
    for (const CMessageRecord& record : {Record(4), text, Record(2, 4711)}) {
        m_log.LogRecord(record, 2);  // only navigation is selected by default
    }
    EXPECT_EQ(m_log.WriteLine("Comm: Checksum Error\n"), 1);
    std::string expected = "earlier session\n" + kOpening + Line(Record(2, 4711)) + "Comm: Checksum Error\n";
    char fill = 'a';
    for (const size_t length : {size_t{10}, CAppendFile::kBufferSize - 5, size_t{10}, 3 * CAppendFile::kBufferSize}) {
        const std::string line(length, fill++);  // lines longer than the buffer keep their order
        m_log.WriteLine(line);
        expected += line;
    }
    m_host.now = kStart + 65;
    m_log.Close();
    m_log.Close();

    EXPECT_EQ(ReadText(m_path), expected + "\nLog file closed Tue Nov 14 22:14:25 2023\n");
    EXPECT_EQ(m_log.MarkTime(), kStart + 65);
    EXPECT_EQ(m_host.journal, (Journal{"title", "title"}));
    EXPECT_TRUE(other.Open(false));
    EXPECT_EQ(other.Failure(), 0);
}

TEST_F(LogFileTest, MissingFileIsNotCreatedAndNothingIsLogged)
{
    std::filesystem::remove(m_path);
    m_host.now = kStart + 30;
    EXPECT_FALSE(m_log.Open(false));
    EXPECT_EQ(m_log.Failure(), ENOENT);
    m_log.WriteLine("Comm: Checksum Error\n");
    m_log.LogRecord(Record(2), 2);

    EXPECT_FALSE(std::filesystem::exists(m_path));
    EXPECT_EQ(m_log.MarkTime(), kStart + 30);
    EXPECT_EQ(m_host.journal, (Journal{"title"}));
}

TEST_F(LogFileTest, AutoSavesAfterTheFirstLoggedRecordTenMinutesOn)
{
    SetLogging(m_path.string(), std::string(256, '1'));
    ASSERT_TRUE(m_log.Open(false));
    m_host.now = kStart + 599;
    m_log.LogRecord(Record(2, 1), 2);
    m_host.now = kStart + 600;
    m_log.WriteLine("UI_Command: MID 0x84\n");
    m_log.LogRecord(Record(16), 2);  // renders to nothing
    EXPECT_EQ(m_log.MarkTime(), kStart);
    m_log.LogRecord(Record(2, 2), 2);

    EXPECT_EQ(m_log.MarkTime(), kStart + 600);
    EXPECT_EQ(ReadText(m_path), "earlier session\n" + kOpening + Line(Record(2, 1)) + "UI_Command: MID 0x84\n" +
                                    Line(Record(2, 2)) + "Start Auto-saving: 22:23:20\nEnd Auto-saving\n");

    std::filesystem::remove(m_path);  // moved away: the reopen fails
    m_host.now = kStart + 1200;
    m_log.LogRecord(Record(2, 3), 2);
    EXPECT_FALSE(m_log.IsOpen());
    EXPECT_EQ(m_log.Failure(), ENOENT);
    EXPECT_EQ(m_host.journal, (Journal{"title", "title",
                                       "error:Log file write error: " + std::string(std::strerror(ENOENT)) +
                                           ". Logging stopped.",
                                       "title"}));
}

TEST_F(LogFileTest, DialogClosesTheOldLogAndReloadsTheSettings)
{
    const std::filesystem::path next = m_folder.Path() / "next.gps";
    WriteText(next, "");
    ASSERT_TRUE(m_log.Open(false));
    m_host.now = kStart + 60;
    m_host.onDialog = [&] {
        EXPECT_FALSE(m_log.IsOpen());
        SetLogging(next.string(), std::string(4, '0') + "1" + std::string(251, '0'));  // only MID 4
    };

    EXPECT_TRUE(m_log.Open(true));
    m_log.LogRecord(Record(2), 2);
    m_log.LogRecord(Record(4), 2);
    m_host.answer = false;
    EXPECT_FALSE(m_log.Open(true));

    EXPECT_FALSE(m_log.IsOpen());
    EXPECT_EQ(m_log.FileName(), next.string());
    EXPECT_EQ(ReadText(m_path), "earlier session\n" + kOpening + "\nLog file closed Tue Nov 14 22:14:20 2023\n");
    EXPECT_EQ(ReadText(next), "Kestrion Demo Version 3.36 log file opened Tue Nov 14 22:14:20 2023\n\n" +
                                  Line(Record(4)) + "\nLog file closed Tue Nov 14 22:14:20 2023\n");
    EXPECT_EQ(m_host.journal, (Journal{"title", "title", "dialog", "title", "title", "dialog", "title"}));
}

// A log chosen in the dialog that does not open is told with the file and the reason; a log
// opened without asking (the command line's) is left to its caller.
TEST_F(LogFileTest, AChosenLogThatDoesNotOpenIsToldWithTheFileAndTheReason)
{
    CLogFile other(m_profile, m_host, m_host);
    ASSERT_TRUE(other.Open(false));
    m_host.journal.clear();
    EXPECT_FALSE(m_log.Open(true));
    EXPECT_EQ(m_host.journal,
              (Journal{"dialog", "error:Log file could not be opened: " + m_path.string() + ": locked by another program",
                       "title"}));
    other.Close();

    const std::string missing = (m_folder.Path() / "gone.gps").string();
    SetLogging(missing, "");
    m_host.journal.clear();
    EXPECT_FALSE(m_log.Open(true));
    EXPECT_EQ(m_host.journal[1], "error:Log file could not be opened: " + missing + ": No such file or directory");
    m_host.journal.clear();
    EXPECT_FALSE(m_log.Open(false));
    EXPECT_EQ(m_host.journal, Journal{"title"});
}

// Whichever write fails first, logging stops with one report.
TEST_F(LogFileTest, WriteErrorStopsLoggingWithOneReport)
{
    SetLogging("/dev/full", "");  // every write fails with ENOSPC
    const Journal stopped = {"title", "error:Log file write error: " + std::string(std::strerror(ENOSPC)) +
                                          ". Logging stopped.", "title"};
    const std::vector<std::function<void()>> failures = {
        [&] { m_log.Flush(); },
        [&] { m_log.Close(); },
        [&] { m_log.WriteLine(std::string(2 * CAppendFile::kBufferSize, 'y')); },
        [&] { m_host.now += CLogFile::kAutoSaveSeconds, m_log.LogRecord(Record(2), 2); },
    };
    for (size_t i = 0; i < failures.size(); ++i) {
        m_host.journal.clear();
        ASSERT_TRUE(m_log.Open(false));
        failures[i]();
        m_log.WriteLine("UI_Command: MID 0x84\n");
        m_log.Flush();
        m_log.Close();
        EXPECT_FALSE(m_log.IsOpen());
        EXPECT_EQ(m_log.Failure(), ENOSPC) << "failure " << i;
        EXPECT_EQ(m_host.journal, stopped) << "failure " << i;
    }
}

}  // namespace
}  // namespace kestrion
