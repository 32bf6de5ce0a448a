// kestrion-cli's runs on a live receiver, on the simulated receiver behind a scripted port and
// the virtual clock: the command lines a user types, their exit statuses, their output, and
// what reached the receiver.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/ReceiverIni.h"
#include "support/ScriptedReceiver.h"
#include "support/TempFolder.h"
#include "cli/CliMain.h"

namespace kestrion::test {
namespace {

using cli::RunCommandLine;
using cli::RunPlatform;

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

size_t CountMatching(const std::vector<std::string>& lines, const std::string& pattern)
{
    const std::regex wanted(pattern);
    return static_cast<size_t>(
        std::ranges::count_if(lines, [&wanted](const std::string& line) { return std::regex_match(line, wanted); }));
}

bool HasLine(const std::string& text, const std::string& line)
{
    return std::ranges::count(Lines(text), line) > 0;
}

// A receiver on the scripted port and a folder for the settings and the files of the runs.
class ScriptedCli : public ::testing::Test {
protected:
    explicit ScriptedCli(const SimConfig& config = {}) : m_receiver(config) {}

    // The settings of a console that measures the receiver, with more lines after.
    std::string WriteIni(const std::string& extra = {})
    {
        const std::string path = File("rx.ini");
        WriteText(path, ReceiverIni(m_receiver.Path()) + extra);
        return path;
    }
    std::string File(const std::string& name) const { return (m_folder.Path() / name).string(); }

    // The command line, with stdout and stderr caught (and stdin read from `input` when given).
    // The run's clock starts where the receiver's is: the receiver goes on between runs.
    CliResult Run(std::vector<std::string> words, const std::string& input = {})
    {
        const int64_t startMs = m_receiver.NowMs();
        const RunPlatform platform{m_receiver.Devices(),
                                   [this, startMs](int64_t elapsedMs) { m_receiver.AdvanceTo(startMs + elapsedMs); }};
        const std::string outPath = File("stdout");
        const std::string errPath = File("stderr");
        std::fflush(stdout);
        std::fflush(stderr);
        const int savedIn = ::dup(STDIN_FILENO);
        const int savedOut = ::dup(STDOUT_FILENO);
        const int savedErr = ::dup(STDERR_FILENO);
        Redirect(STDOUT_FILENO, outPath, O_WRONLY | O_CREAT | O_TRUNC);
        Redirect(STDERR_FILENO, errPath, O_WRONLY | O_CREAT | O_TRUNC);
        if (!input.empty()) {
            Redirect(STDIN_FILENO, input, O_RDONLY);
            std::clearerr(stdin);
        }
        CliResult result;
        result.status = RunCommandLine(words, platform);
        std::fflush(stdout);
        std::fflush(stderr);
        for (const auto& [saved, target] : {std::pair{savedIn, STDIN_FILENO}, std::pair{savedOut, STDOUT_FILENO},
                                            std::pair{savedErr, STDERR_FILENO}}) {
            ::dup2(saved, target);
            ::close(saved);
        }
        std::clearerr(stdin);
        result.out = ReadText(outPath);
        result.err = ReadText(errPath);
        return result;
    }

    CScriptedReceiver& Receiver() { return m_receiver; }

private:
    static void Redirect(int target, const std::string& path, int flags)
    {
        const int file = ::open(path.c_str(), flags, 0644);
        ASSERT_GE(file, 0) << path;
        ::dup2(file, target);
        ::close(file);
    }

    CTempFolder m_folder;
    CScriptedReceiver m_receiver;
};

// Two hot starts with development data, each timed to its fix, and a command that is disabled
// at its time, which fails the run.
TEST_F(ScriptedCli, ScriptedCommandsInitialiseTheReceiverAndADisabledOneFailsTheRun)
{
    const std::string ini = WriteIni("[ReceiverInit]\nResetMode=3\n");
    const CliResult run = Run({"run", "--ini", ini, "--seconds", "22", "--set", "Hot Start", "--set",
                               "Enable Development Data=1", "--command", "32792@1", "--command", "32788@2",
                               "--command", "32788@12"});
    const std::vector<std::string> err = Lines(run.err);
    const std::string disabled =
        "32792 Switch to &Orvo Protocol was disabled at 1.0 s: the display is not in NMEA mode";
    EXPECT_TRUE(HasLine(run.err, "command: " + disabled)) << run.err;
    ASSERT_FALSE(err.empty());
    EXPECT_EQ(err.back(), "kestrion-cli run: command " + disabled);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(CountMatching(err, "dialog: Receiver Initialization"), 2U) << run.err;
    EXPECT_EQ(CountMatching(err, "set: Hot Start=Hot Start"), 2U);
    EXPECT_EQ(CountMatching(err, "ttff: .*"), 2U) << run.err;
    // Hot start with development data: flags 0x20, and the settings keep what was sent.
    EXPECT_EQ(CountMatching(Receiver().Heard(), "A0 A2 00 19 80 .* 0C 20 .. .. B0 B3"), 2U);
    EXPECT_EQ(CountMatching(Lines(ReadText(ini)), "ResetMode=0.*"), 1U);
}

// Two hot starts fix in about 4 s; a cold start does not fix within 5 s (it takes about 38)
// and counts as a failure.
TEST_F(ScriptedCli, TimesToFirstFixAreTimedAndAStartWithoutFixFails)
{
    const std::string ini = WriteIni();
    const std::string csv = File("hot.csv");
    const CliResult hot = Run({"ttff", "--ini", ini, "--start", "hot", "--count", "2", "--csv", csv});
    ASSERT_EQ(hot.status, 0) << hot.out << hot.err;
    const std::vector<std::string> out = Lines(hot.out);
    EXPECT_EQ(CountMatching(out, R"(run 1: [3-6]\.[0-9] s)"), 1U) << hot.out;
    EXPECT_EQ(CountMatching(out, R"(run 2: [3-6]\.[0-9] s)"), 1U) << hot.out;
    EXPECT_TRUE(HasLine(hot.out, "runs: 2, failures: 0"));
    EXPECT_EQ(CountMatching(out, R"(min [3-6]\.[0-9] s, median [3-6]\.[0-9] s, mean [3-6]\.[0-9] s, )"
                                 R"(95 %: [3-6]\.[0-9] s, max [3-6]\.[0-9] s)"),
              1U)
        << hot.out;
    EXPECT_EQ(CountMatching(Lines(hot.err), ".*set: Hot Start.*"), 2U) << hot.err;
    const std::vector<std::string> runs = Lines(ReadText(csv));
    ASSERT_EQ(runs.size(), 3U);
    EXPECT_EQ(runs.front(), "run,ttff_s");

    const CliResult cold = Run({"ttff", "--ini", ini, "--start=cold", "--count", "1", "--timeout", "5"});
    EXPECT_EQ(cold.status, 1);
    EXPECT_TRUE(HasLine(cold.out, "run 1: no fix within 5 s")) << cold.out;
    EXPECT_TRUE(HasLine(cold.out, "runs: 1, failures: 1"));
    EXPECT_TRUE(HasLine(cold.err, "kestrion-cli ttff: 1 of 1 runs got no fix within 5 s")) << cold.err;
}

// An NMEA 4.11 receiver of four systems.
class ScriptedNmeaCli : public ScriptedCli {
protected:
    ScriptedNmeaCli()
        : ScriptedCli(SimConfig{.protocol = SimProtocol::Nmea,
                                .gnss = {SkySystem::Beidou, SkySystem::Gps, SkySystem::Galileo, SkySystem::Glonass}})
    {
    }
};

// Usage errors come before any receiver is needed.
TEST_F(ScriptedNmeaCli, ResetAndSystemOptionsAreCheckedFirst)
{
    struct Case {
        std::vector<std::string> words;
        std::string message;
    };
    const std::string missing = File("no-such-file");
    for (const Case& c :
         {Case{{"ttff", "--start", "hot", "--reset-sentence", "$PORV101,1", "--count", "1"},
               "takes --start or --reset-sentence, not both"},
          Case{{"ttff", "--reset-sentence", "$", "--count", "1"}, "--reset-sentence takes one NMEA sentence"},
          Case{{"simulate", "--gnss", "gps,glonass"}, "--gnss needs --protocol nmea"},
          Case{{"simulate", "--protocol", "nmea", "--gnss", "gps,qzss"}, "--gnss takes gps, glonass, galileo and beidou"},
          Case{{"epochs", missing}, "kestrion-cli epochs: cannot read " + missing + ": No such file"}}) {
        const CliResult result = Run(c.words);
        EXPECT_EQ(result.status, 2) << c.words.front() << ": " << result.err;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    }
}

// Its sentences make epochs with satellites of every system; run --json prints the same
// epochs, and nothing else, on stdout; ttff resets it with an NMEA sentence (checksum computed
// anew) and finds the fix in its epochs.
TEST_F(ScriptedNmeaCli, SentencesOfFourSystemsMakeEpochsAndASentenceResetIsTimed)
{
    const std::string ini = WriteIni();
    const CliResult json = Run({"run", "--ini", ini, "--seconds", "4", "--json", "--trace"});
    ASSERT_EQ(json.status, 0) << json.err;
    ASSERT_FALSE(json.out.empty());
    EXPECT_EQ(CountMatching(Lines(json.out), "\\{.*\\}"), Lines(json.out).size()) << "not only JSON lines on stdout";
    EXPECT_GE(CountMatching(Lines(json.err), "[0-9]* 1 255"), 1U) << "the trace is not on stderr";

    const std::string recording = File("rx.nmea");
    ASSERT_EQ(Run({"run", "--ini", ini, "--seconds", "4", "--record", recording}).status, 0);
    const std::vector<std::string> sentences = Lines(ReadText(recording));
    for (const std::string talker : {"GPGSV", "GLGSV", "GAGSV", "GBGSV", "GNGSA", "GNGNS", "GNRMC", "GNGGA", "GNGST"}) {
        EXPECT_TRUE(std::ranges::any_of(sentences, [&talker](const std::string& line) {
            return line.starts_with("$" + talker + ",");
        })) << "no " << talker << " sentence";
    }
    const CliResult epochs = Run({"epochs", recording});
    ASSERT_EQ(epochs.status, 0) << epochs.err;
    EXPECT_GE(Lines(epochs.out).size(), 2U);
    for (const char letter : {'G', 'R', 'E', 'C'}) {
        EXPECT_TRUE(std::regex_search(epochs.out, std::regex(std::string("\"sv\":\"") + letter + "[0-9][0-9]\"")))
            << "no " << letter << " satellite in the epochs";
    }
    // The same stream from standard input gives the same epochs.
    EXPECT_EQ(Run({"epochs", "-"}, recording).out, epochs.out);

    // A hot restart by sentence: the fix is back in a few seconds.
    const CliResult ttff = Run({"ttff", "--ini", ini, "--reset-sentence", "$PORV101,1*00", "--count", "1", "--timeout",
                                "30"});
    ASSERT_EQ(ttff.status, 0) << ttff.out << ttff.err;
    EXPECT_EQ(CountMatching(Lines(ttff.out), R"(run 1: [0-9]*\.[0-9] s)"), 1U) << ttff.out;
    EXPECT_TRUE(HasLine(ttff.out, "runs: 1, failures: 0"));
    // Sent with its own checksum, not the one given.
    const std::vector<std::string> heard = Receiver().Heard();
    EXPECT_EQ(CountMatching(heard, R"(\$PORV101,1\*[0-9A-F][0-9A-F])"), 1U);
    EXPECT_EQ(CountMatching(heard, R"(.*PORV101,1\*00.*)"), 0U);
}

}  // namespace
}  // namespace kestrion::test
