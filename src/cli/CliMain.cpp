// kestrion-cli's commands: their table, help and usage, and the dispatch of a command line.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/CliMain.h"
#include "cli/Commands.h"
#include "platform/Version.h"

namespace kestrion::cli {
namespace {

const CliCommand kCommands[] = {
    {"decode", "decode [--playback] [--chunk N] [--generation G] FILE",
     "Decodes a raw receive stream and prints what the log would receive with every message\n"
     "type selected. --playback frames it as a recorded file instead of a serial line;\n"
     "--chunk N feeds N bytes at a time (default 4095, playback 1000); --generation G (1..3)\n"
     "fixes the receiver software generation instead of detecting it. FILE - reads the standard input.\n",
     {"--chunk", "--generation"}, {"--playback"}, RunDecode},
    {"epochs", "epochs [--playback] [--generation G] FILE",
     "Reads a raw receive stream as decode does (binary, NMEA or both) and prints each receiver\n"
     "epoch it closes as one JSON object per line: the measured epochs, and the truth feed's when\n"
     "there are any. The epoch still open at the end of the stream is printed last. FILE - reads\n"
     "the standard input.\n",
     {"--generation"}, {"--playback"}, RunEpochs},
    {"lines", "lines [--week W] [--tow T] FILE",
     "Plays a CSV or truth text file line by line and prints each record's text. W is the\n"
     "truth week, T the truth time offset in 1/100 s. Stops with status 1 at the first bad line.\n"
     "FILE - reads the standard input.\n",
     {"--week", "--tow"}, {}, RunLines},
    {"frame", "frame HEX...", "Prints the outgoing binary frame of a payload given as hexadecimal bytes.\n", {}, {},
     RunFrame},
    {"nmea", "nmea BODY",
     "Writes the outgoing NMEA sentence of a sentence body: \"$\", the body, \"*\", its checksum and CR LF.\n"
     "A leading \"$\" and a trailing \"*hh\" of the body are dropped (the checksum is computed anew).\n",
     {}, {}, RunNmea},
    {"run",
     "run [--ini FILE] [--log FILE] [--fast] [--speed X] [--seconds S] [--trace] [--json] [--command ID@S]...\n"
     "    [--set LABEL=VALUE]... [--file PATH]... [--record FILE] [--serve ADDRESS [--serve-commands]]",
     "Runs the console's engine without a window: loads the settings (default: the console's, the\n"
     "kestrion-demo.ini beside kestrion-demo when this program sits beside it or in its build tree,\n"
     "else $XDG_CONFIG_HOME/kestrion-demo/kestrion-demo.ini), opens the data source as \"Open Data\n"
     "Source\" does and plays it until it ends, no timer is left, S seconds have passed, or\n"
     "SIGINT/SIGTERM/SIGHUP. --log FILE opens the log on FILE first (created when missing, appended\n"
     "to otherwise). --fast runs on a virtual clock (not with a serial port). --speed X plays a\n"
     "recorded file at X times its recording time: 1/4, 1/2, 1, 2, 4, 8, 16, max (as fast as it can\n"
     "be read) or fixed (a binary file at 1000 bytes a second).\n"
     "A file played faster than its time shows its progress on stderr while that is a terminal.\n"
     "--trace prints one line per view update: <ms> <hint> <mid>. --json prints each receiver epoch\n"
     "as one JSON object per line, as epochs does, and alone on stdout (the trace goes to stderr\n"
     "then). Notices go to stderr as they\n"
     "happen, one line each after the run's time: message boxes (\"message: <text>\", a question with\n"
     "the answer taken), the port's texts (\"Comm: Port ... lost\") and \"source ended: <file>\".\n"
     "Exits with 1 and the reason when the data source did not open or lost its port for good, the\n"
     "log could not be written, an error or warning box was shown or a --command was disabled at\n"
     "its time.\n"
     "--command ID@S carries out menu command ID (32820 \"SW &Version\", 32788 \"&Initialize Data\n"
     "Source...\", ...) S seconds after the data source opened, when it is enabled then; dialogs\n"
     "open with their opening values, take every --set that names one of their controls (an edit's\n"
     "text, a list item, a check box 1 or 0, a radio button's label; a bare LABEL chooses that\n"
     "radio button) and press their default button; file choosers take the next --file PATH, or\n"
     "cancel. A --set that names no control of the commands' dialogs, or whose value the control\n"
     "does not take, is refused before the run. After each initialisation the time to the first\n"
     "fix is printed (\"ttff: ...\").\n"
     "--record FILE writes every byte the receiver on the measured port sends, unchanged, to FILE\n"
     "and when each read arrived to FILE.times, so that playing FILE later keeps its time. --serve\n"
     "ADDRESS shares the receiver over TCP: each client connected to ADDRESS (tcp://HOST:PORT; a\n"
     "bare PORT or localhost listens on this computer only) gets every byte it sends; with\n"
     "--serve-commands the clients' whole frames and sentences go to the receiver.\n",
     {"--ini", "--log", "--seconds", "--speed", "--command", "--file", "--set", "--record", "--serve"},
     {"--fast", "--trace", "--json", "--serve-commands"}, RunEngine},
    {"simulate",
     "simulate [--link PATH | --listen ADDRESS] [--generation 1|2|3] [--baud B] [--protocol binary|nmea]\n"
     "    [--gnss LIST] [--busy] [--no-dgps] [--trace]",
     "Simulates a receiver on a pseudo-terminal until SIGINT/SIGTERM. Prints the slave device path\n"
     "(--link PATH also makes PATH a symbolic link to it, removed on exit). --listen serves it over\n"
     "TCP instead, one client at a time, and prints the address with its port: tcp://HOST:PORT, or a\n"
     "bare PORT or tcp://localhost:PORT for 127.0.0.1 (port 0 picks a free one); clients that come\n"
     "and leave are told on stderr. The receiver of software\n"
     "generation G (default 3) talks the protocol (default binary) at B baud (default 38400) and\n"
     "never faster: navigation and tracker messages every second, answers to polls, acks and naks,\n"
     "baud and protocol switches. Bytes at another baud than its own are garbage both ways. --busy\n"
     "now and then holds commands behind MID 18. Its DGPS beacon receiver reports each second\n"
     "(MID 27) and passes on the station's corrections (MID 17) once locked; --no-dgps leaves it\n"
     "out. Every 20 to 40 seconds it sends an error message (MID 10). --trace prints each received\n"
     "frame (hexadecimal) or sentence on stderr. --gnss LIST (with --protocol nmea; some of gps,\n"
     "glonass, galileo, beidou) makes it an NMEA 4.11 receiver of those systems: GNGGA, GNRMC,\n"
     "GNGNS, a GNGSA per system, GP/GL/GA/GB GSV with signal IDs and GNGST each second. Without it\n"
     "the NMEA receiver sends GPGGA, GPRMC, GPGSA and GPGSV. In NMEA, $PORV101,<1..4> restarts it\n"
     "hot, warm, cold or factory.\n",
     {"--link", "--listen", "--generation", "--baud", "--protocol", "--gnss"}, {"--busy", "--no-dgps", "--trace"},
     RunSimulate},
    {"stats", "stats [--ini FILE] [--ref LAT,LON,ALT] [--csv FILE] [--seconds S] [--speed X]",
     "Plays the settings' data source (as run does: a recorded file on the virtual clock as --fast,\n"
     "or at --speed X on the wall clock; a serial receiver live, until S seconds have passed or\n"
     "SIGINT) and prints the accuracy figures of its fixes: the reference, count, mean and standard\n"
     "deviation east, north and up, CEP50, CEP95, 2DRMS, horizontal and vertical 95 % and maxima, in\n"
     "metres. The reference is the truth feed when one is in use, else --ref (degrees, metres above\n"
     "the ellipsoid; ALT may be left out), else section \"Statistics\" of the settings, else the running\n"
     "mean of the fixes. --csv FILE writes one line per fix: UTC time, lat, lon, alt, e, n, u, mode,\n"
     "SVs, DOP. Exits with 1 when the run failed as run's would.\n",
     {"--ini", "--ref", "--csv", "--seconds", "--speed"}, {}, RunStats},
    {"export", "export --gpx FILE | --kml FILE | --csv FILE [--ini FILE]",
     "Plays the settings' recorded data source as run --fast does and writes its measured fixes: a GPX\n"
     "1.1 track (a new segment after a gap of more than 10 s; UTC times with the leap seconds of the\n"
     "date), a KML line string, or one line per fix as stats --csv writes. Several may be given.\n"
     "Prints \"FILE: N fixes\" for each file written; exits with 1 when the run failed or gave no fix.\n",
     {"--gpx", "--kml", "--csv", "--ini"}, {}, RunExport},
    {"ttff",
     "ttff --start hot|warm|cold|factory | --reset-sentence SENTENCE --count N [--timeout S] [--ini FILE]\n"
     "    [--csv FILE]",
     "Times the first fix after receiver initialisations on the live receiver of the settings: once\n"
     "it talks, N times in turn the reset of \"Initialize Data Source...\" with that mode (hot, warm\n"
     "without init, cold, factory; the dialog's other values as they open), then the wait for the\n"
     "first fix of mode 3D or better. A run without one within S seconds (default 300) is a failure.\n"
     "Prints one line per run, then the runs, failures and min, median, mean, 95th percentile and max\n"
     "of the times; --csv FILE writes the runs. Exits with 1 when a run failed, the series stopped\n"
     "early or the receiver was lost.\n"
     "--reset-sentence SENTENCE (\"$BODY\", a \"*hh\" checksum is computed anew when missing or given)\n"
     "sends that NMEA sentence instead of the binary reset, for any NMEA receiver; a run ends at its\n"
     "first fix of any mode then, as its epochs report it.\n",
     {"--start", "--count", "--timeout", "--ini", "--csv", "--reset-sentence"}, {}, RunTtff},
};

// A reader that went away (a pipe into head) ends the program quietly, with the status of one
// ended by SIGPIPE.
constexpr int kOutputClosed = 128 + SIGPIPE;

// The errno of the first failure seen on standard output.
int g_outputError = 0;

// Writes what standard output still buffers; a failed write is reported under the command's
// name and fails a command that had done its job.
int FinishOutput(const char* command, int status)
{
    if (FlushOutput()) {
        return status;
    }
    if (g_outputError == EPIPE) {
        return kOutputClosed;
    }
    std::fprintf(stderr, "kestrion-cli%s%s: cannot write the standard output: %s\n", command != nullptr ? " " : "",
                 command != nullptr ? command : "", std::strerror(g_outputError));
    return status != 0 ? status : 1;
}

void PrintUsage(std::FILE* out)
{
    std::fputs("usage:\n", out);
    for (const CliCommand& command : kCommands) {
        std::fprintf(out, "  kestrion-cli %s\n", command.usage);
    }
    std::fputs("  kestrion-cli help [COMMAND] | -h | --help | --version\n"
               "Each command takes -h or --help; -- ends the options.\n",
               out);
}

const CliCommand* FindCliCommand(const std::string& name)
{
    for (const CliCommand& command : kCommands) {
        if (name == command.name) {
            return &command;
        }
    }
    return nullptr;
}

int PrintHelp(const CliCommand& command)
{
    std::printf("usage: kestrion-cli %s\n%s", command.usage, command.help);
    return FinishOutput(command.name, 0);
}

int UnknownCommand(const std::string& name)
{
    std::fprintf(stderr, "kestrion-cli: unknown command %s\n", name.c_str());
    PrintUsage(stderr);
    return 2;
}

}  // namespace

int UsageError(const char* command, const std::string& message)
{
    std::fprintf(stderr, "kestrion-cli %s: %s (try --help)\n", command, message.c_str());
    return 2;
}

bool FlushOutput()
{
    errno = 0;
    if (std::fflush(stdout) == 0 && !std::ferror(stdout)) {
        return true;
    }
    // A failed flush drops what was buffered: the next one may have nothing left to fail on.
    if (g_outputError == 0) {
        g_outputError = errno != 0 ? errno : EIO;
    }
    return false;
}

FilePtr OpenInput(const char* command, const std::string& path, const char* mode)
{
    // Standard input is read through a file of its own, which closes without closing it.
    FilePtr file(path == "-" ? ::fdopen(::dup(STDIN_FILENO), mode) : std::fopen(path.c_str(), mode));
    struct stat status {};
    // A folder opens, but cannot be read.
    if (file && ::fstat(::fileno(file.get()), &status) == 0 && S_ISDIR(status.st_mode)) {
        file.reset();
        errno = EISDIR;
    }
    if (!file) {
        ReportInputProblem(command, path, std::strerror(errno));
    }
    return file;
}

bool ReportReadError(const char* command, const std::string& path, std::FILE* file)
{
    if (!std::ferror(file)) {
        return false;
    }
    ReportInputProblem(command, path, std::strerror(errno != 0 ? errno : EIO));
    return true;
}

void ReportInputProblem(const char* command, const std::string& path, const std::string& problem)
{
    std::fflush(stdout);
    const std::string name = path == "-" ? "the standard input" : path;
    std::fprintf(stderr, "kestrion-cli %s: cannot read %s: %s\n", command, name.c_str(), problem.c_str());
}

int RunCommandLine(const std::vector<std::string>& words, const RunPlatform& platform)
{
    if (words.empty()) {
        PrintUsage(stderr);
        return 2;
    }
    const std::string& first = words.front();
    if (first == "--help" || first == "-h" || (first == "help" && words.size() == 1)) {
        PrintUsage(stdout);
        return FinishOutput(nullptr, 0);
    }
    if (first == "--version") {
        std::puts("kestrion-cli " KESTRION_VERSION);
        return FinishOutput(nullptr, 0);
    }
    if (first == "help") {
        if (words.size() > 2) {
            return UsageError("help", "takes one COMMAND");
        }
        const CliCommand* command = FindCliCommand(words[1]);
        return command != nullptr ? PrintHelp(*command) : UnknownCommand(words[1]);
    }
    const CliCommand* command = FindCliCommand(first);
    if (command == nullptr) {
        return UnknownCommand(first);
    }
    CCliArguments arguments({words.begin() + 1, words.end()}, command->valued, command->flags);
    if (arguments.Help()) {
        return PrintHelp(*command);
    }
    if (!arguments.Ok()) {
        return UsageError(command->name, arguments.Error());
    }
    return FinishOutput(command->name, command->run(arguments, platform));
}

}  // namespace kestrion::cli
