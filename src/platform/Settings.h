#pragma once
// Every persistent setting, one field each, with a load and a save per INI section. There is
// no long-lived instance: whoever needs settings loads its own copy from the profile.
#include <array>
#include <string>
#include <vector>

#include "platform/DecimalValue.h"
#include "platform/Profile.h"
#include "platform/SerialDevice.h"

namespace kestrion {

// Where the measured or the truth data come from (Settings::measSource, trueSource).
enum SourceKind : int { kFileSource = 0, kSerialSource = 1 };

struct Settings {
    // "Data Sources"
    int dataSource = 1;  // 0 random data, 1 supplied data
    int supplied = 1;    // derived: dataSource == 1
    int random = 0;      // derived: dataSource != 1
    int useTrue = 0;
    int trueSource = 0;  // 0 file, 1 serial port
    std::string trueFileName;
    std::string trueSerialPort;
    std::string trueSerialBaud;
    std::string trueWeekNo;  // decimal text
    std::string trueTow;     // decimal text, 1/100 s
    int useMeas = 0;
    int measSource = 1;  // 0 file, 1 serial port
    std::string measFileName;
    std::string measFileType = "Hex";
    std::string measSerialPort = "COM1";
    std::string measSerialBaud = "19200";
    std::string measSerialDBits = "8";
    std::string measSerialParity = "NONE";
    std::string measSerialSBits = "1";
    int measRI = 1;

    // "Logging"
    std::string logFileName = "kestrion.gps";
    std::array<int, 256> logMessages{};  // per MID: 1 = log records of that type

    // "ReceiverInit"
    long initX = 0;
    long initY = 0;
    long initZ = 0;
    long initClock = 0;
    int useDosTime = 0;
    long initTow = 0;
    int initWeek = 0;
    int channels = 12;
    int resetMode = 0;
    int enableRawTrackMessages = 0;
    int enableDebugMessages = 0;

    // "Map View"
    double mapScale = 0.5;
    int mapCenterFixed = 0;
    double mapLat = 0.0;
    double mapLon = 0.0;
    int ring1 = 10;
    int ring2 = 20;
    int ring3 = 30;
    int mapCepCircles = 0;

    // "Signal View", "Radar View"
    int signalGraphType = 0;
    int radarOrientation = 0;
    double radarVelocityRadius = 4.0;
    int radarPositionRadius = 20;

    // "Random Data", "File Data"
    int timerDelay = 1000;  // ms
    int externalTimer = 0;

    // "Playback": the replay speed's value ("0.25" ... "16", "max", "fixed")
    std::string playbackSpeed = "1";

    // "Share": where the receiver was last shared, and whether clients could send commands
    std::string shareAddress = "5000";
    int shareCommands = 0;

    // Data sources, then logging, then receiver init: the whole picture in one call.
    void LoadDataSources(const CProfile& profile);
    void SaveDataSources(const CProfile& profile) const;
    // The measured serial line as one value; the defaults of its keys.
    SerialSettings MeasuredLine() const;
    void SetMeasuredLine(const SerialSettings& line);
    static SerialSettings DefaultMeasuredLine();
    // The stored measured line, a missing key giving the text of `defaults`.
    static SerialSettings StoredMeasuredLine(const CProfile& profile, const SerialSettings& defaults);
    // Writes the line's texts that differ from the stored ones, in one save.
    static void SaveMeasuredLine(const CProfile& profile, const SerialSettings& line);
    // The network addresses given for ports before, newest first ("Data Sources", "NetworkPorts",
    // separated by blanks, which no address holds).
    static std::vector<std::string> StoredNetworkPorts(const CProfile& profile);
    static void SaveNetworkPorts(const CProfile& profile, const std::vector<std::string>& addresses);
    // The stored text of a "Data Sources" or "Logging" text field, empty when its key is missing.
    static std::string StoredText(const CProfile& profile, std::string Settings::*field);
    // Whether the key of a "Data Sources" integer field is in the file with a value.
    static bool IsStored(const CProfile& profile, int Settings::*field);
    void LoadLogging(const CProfile& profile);
    void SaveLogging(const CProfile& profile) const;
    void LoadReceiverInit(const CProfile& profile);
    void SaveReceiverInit(const CProfile& profile) const;
    void LoadMapView(const CProfile& profile);
    void SaveMapView(const CProfile& profile) const;
    void LoadSignalView(const CProfile& profile);
    void SaveSignalView(const CProfile& profile) const;
    void LoadRadarView(const CProfile& profile);
    void SaveRadarView(const CProfile& profile) const;
    void LoadTimerDelay(const CProfile& profile);
    void SaveTimerDelay(const CProfile& profile) const;
    void LoadExternalTimer(const CProfile& profile);
    void SaveExternalTimer(const CProfile& profile) const;
    void LoadPlaybackSpeed(const CProfile& profile);
    void SavePlaybackSpeed(const CProfile& profile) const;
    void LoadShare(const CProfile& profile);
    void SaveShare(const CProfile& profile) const;
};

}  // namespace kestrion
