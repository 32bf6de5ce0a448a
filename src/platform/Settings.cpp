#include "platform/Settings.h"

#include <charconv>
#include <optional>
#include <span>
#include <type_traits>
#include <utility>
#include <variant>

namespace kestrion {
namespace {

// The kinds of stored value: an integer, a text, a long kept as decimal text, and a double
// kept as text with a fixed number of decimals.
struct CIntKey {
    const char* key;
    int Settings::*field;
    int defaultValue;
};
struct CTextKey {
    const char* key;
    std::string Settings::*field;
    const char* defaultValue;
};
struct CDecimalKey {
    const char* key;
    long Settings::*field;
};
struct CRealKey {
    const char* key;
    double Settings::*field;
    const char* defaultValue;
    int decimals;
};
using CKey = std::variant<CIntKey, CTextKey, CDecimalKey, CRealKey>;

// Text to double like strtod, but independent of the locale.
double RealValue(std::string_view text)
{
    const size_t first = text.find_first_not_of(" \t\n\v\f\r");
    if (first == std::string_view::npos) {
        return 0.0;
    }
    text.remove_prefix(first);
    if (text.starts_with('+')) {
        text.remove_prefix(1);
    }
    double value = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::string RealText(double value, int decimals)
{
    char text[400];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    return {text, result.ptr};
}

void Load(Settings& settings, const CProfile& profile, const char* section, std::span<const CKey> keys)
{
    for (const CKey& key : keys) {
        std::visit(
            [&](const auto& k) {
                using K = std::decay_t<decltype(k)>;
                if constexpr (std::is_same_v<K, CIntKey>) {
                    settings.*k.field = profile.GetInt(section, k.key, k.defaultValue);
                } else if constexpr (std::is_same_v<K, CTextKey>) {
                    settings.*k.field = profile.GetString(section, k.key, k.defaultValue);
                } else if constexpr (std::is_same_v<K, CDecimalKey>) {
                    settings.*k.field = DecimalValue(profile.GetString(section, k.key, ""));
                } else {
                    const std::string text = profile.GetString(section, k.key, k.defaultValue);
                    settings.*k.field = RealValue(text.empty() ? k.defaultValue : text);
                }
            },
            key);
    }
}

void Save(const Settings& settings, const CProfile& profile, const char* section, std::span<const CKey> keys)
{
    const CProfileSave save(profile);
    for (const CKey& key : keys) {
        std::visit(
            [&](const auto& k) {
                using K = std::decay_t<decltype(k)>;
                if constexpr (std::is_same_v<K, CIntKey>) {
                    profile.WriteInt(section, k.key, settings.*k.field);
                } else if constexpr (std::is_same_v<K, CTextKey>) {
                    profile.WriteString(section, k.key, settings.*k.field);
                } else if constexpr (std::is_same_v<K, CDecimalKey>) {
                    profile.WriteString(section, k.key, std::to_string(settings.*k.field));
                } else {
                    profile.WriteString(section, k.key, RealText(settings.*k.field, k.decimals));
                }
            },
            key);
    }
}

constexpr const char* kDataSources = "Data Sources";
const CKey kDataSourceKeys[] = {
    CIntKey{"DataSource", &Settings::dataSource, 1},
    CIntKey{"UseTrue", &Settings::useTrue, 0},
    CIntKey{"TrueSource", &Settings::trueSource, 0},
    CTextKey{"TrueFileName", &Settings::trueFileName, ""},
    CTextKey{"TrueSerialPort", &Settings::trueSerialPort, ""},
    CTextKey{"TrueSerialBaud", &Settings::trueSerialBaud, ""},
    CTextKey{"TrueWeekNo", &Settings::trueWeekNo, ""},
    CTextKey{"TrueTOW", &Settings::trueTow, ""},
    CIntKey{"UseMeas", &Settings::useMeas, 0},
    CIntKey{"MeasSource", &Settings::measSource, 1},
    CTextKey{"MeasBFileName", &Settings::measFileName, ""},
    CTextKey{"MeasBFileType", &Settings::measFileType, "Hex"},
    CTextKey{"MeasSerialPort", &Settings::measSerialPort, "COM1"},
};
// The measured serial line, stored between the keys above and below.
struct CLineKey {
    const char* key;
    std::string Settings::*field;
    std::string SerialSettings::*text;
    const char* defaultValue;
};
const CLineKey kMeasuredLineKeys[] = {
    {"MeasSerialBaud", &Settings::measSerialBaud, &SerialSettings::baud, "19200"},
    {"MeasSerialDBits", &Settings::measSerialDBits, &SerialSettings::dataBits, "8"},
    {"MeasSerialParity", &Settings::measSerialParity, &SerialSettings::parity, "NONE"},
    {"MeasSerialSBits", &Settings::measSerialSBits, &SerialSettings::stopBits, "1"},
};
const CKey kDataSourceTailKeys[] = {
    CIntKey{"MeasRI", &Settings::measRI, 1},
};
constexpr const char* kNetworkPorts = "NetworkPorts";

constexpr const char* kLogging = "Logging";
constexpr const char* kMessages = "Messages";
constexpr size_t kMessagesLength = std::tuple_size_v<decltype(Settings::logMessages)>;
const CKey kLoggingKeys[] = {
    CTextKey{"FileName", &Settings::logFileName, "kestrion.gps"},
};

constexpr const char* kReceiverInit = "ReceiverInit";
const CKey kReceiverInitKeys[] = {
    CDecimalKey{"X", &Settings::initX},
    CDecimalKey{"Y", &Settings::initY},
    CDecimalKey{"Z", &Settings::initZ},
    CDecimalKey{"Clock", &Settings::initClock},
    CIntKey{"UseDOSTime", &Settings::useDosTime, 0},
    CDecimalKey{"TOW", &Settings::initTow},
    CIntKey{"WeekNo", &Settings::initWeek, 0},
    CIntKey{"Channels", &Settings::channels, 12},
    CIntKey{"ResetMode", &Settings::resetMode, 0},
    CIntKey{"EnableRawTrackMessages", &Settings::enableRawTrackMessages, 0},
    CIntKey{"EnableDebugMessages", &Settings::enableDebugMessages, 0},
};

constexpr const char* kMapView = "Map View";
const CKey kMapViewKeys[] = {
    CRealKey{"Scale", &Settings::mapScale, "0.5", 2},
    CIntKey{"Center Fixed", &Settings::mapCenterFixed, 0},
    CRealKey{"Lat", &Settings::mapLat, "", 6},
    CRealKey{"Lon", &Settings::mapLon, "", 6},
    CIntKey{"Ring 1", &Settings::ring1, 10},
    CIntKey{"Ring 2", &Settings::ring2, 20},
    CIntKey{"Ring 3", &Settings::ring3, 30},
    CIntKey{"CEP Circles", &Settings::mapCepCircles, 0},
};

constexpr const char* kSignalView = "Signal View";
const CKey kSignalViewKeys[] = {
    CIntKey{"Graph Type", &Settings::signalGraphType, 0},
};

constexpr const char* kRadarView = "Radar View";
const CKey kRadarViewKeys[] = {
    CIntKey{"Orientation", &Settings::radarOrientation, 0},
    CRealKey{"Outer Radius Velocity", &Settings::radarVelocityRadius, "4.0", 2},
    CIntKey{"Outer Radius Position", &Settings::radarPositionRadius, 20},
};

constexpr const char* kRandomData = "Random Data";
const CKey kRandomDataKeys[] = {
    CIntKey{"Timer Delay", &Settings::timerDelay, 1000},
};

constexpr const char* kFileData = "File Data";
const CKey kFileDataKeys[] = {
    CIntKey{"External Timer", &Settings::externalTimer, 0},
};

constexpr const char* kPlayback = "Playback";
const CKey kPlaybackKeys[] = {
    CTextKey{"Speed", &Settings::playbackSpeed, "1"},
};

constexpr const char* kShare = "Share";
const CKey kShareKeys[] = {
    CTextKey{"Address", &Settings::shareAddress, "5000"},
    CIntKey{"AllowCommands", &Settings::shareCommands, 0},
};

// Where a field of the "Data Sources" and "Logging" tables is kept.
struct StoredKey {
    const char* section;
    const char* key;
};

template <typename Key, typename Field>
std::optional<StoredKey> KeyOf(Field field)
{
    const std::pair<const char*, std::span<const CKey>> sections[] = {
        {kDataSources, kDataSourceKeys}, {kDataSources, kDataSourceTailKeys}, {kLogging, kLoggingKeys}};
    for (const auto& [section, keys] : sections) {
        for (const CKey& key : keys) {
            const auto* found = std::get_if<Key>(&key);
            if (found != nullptr && found->field == field) {
                return StoredKey{section, found->key};
            }
        }
    }
    return std::nullopt;
}

}  // namespace

void Settings::LoadDataSources(const CProfile& profile)
{
    Load(*this, profile, kDataSources, kDataSourceKeys);
    SetMeasuredLine(StoredMeasuredLine(profile, DefaultMeasuredLine()));
    Load(*this, profile, kDataSources, kDataSourceTailKeys);
    LoadLogging(profile);
    LoadReceiverInit(profile);
}

void Settings::SaveDataSources(const CProfile& profile) const
{
    const CProfileSave save(profile);
    Save(*this, profile, kDataSources, kDataSourceKeys);
    for (const CLineKey& key : kMeasuredLineKeys) {
        profile.WriteString(kDataSources, key.key, this->*key.field);
    }
    Save(*this, profile, kDataSources, kDataSourceTailKeys);
}

SerialSettings Settings::MeasuredLine() const
{
    SerialSettings line;
    for (const CLineKey& key : kMeasuredLineKeys) {
        line.*key.text = this->*key.field;
    }
    return line;
}

void Settings::SetMeasuredLine(const SerialSettings& line)
{
    for (const CLineKey& key : kMeasuredLineKeys) {
        this->*key.field = line.*key.text;
    }
}

SerialSettings Settings::DefaultMeasuredLine()
{
    SerialSettings line;
    for (const CLineKey& key : kMeasuredLineKeys) {
        line.*key.text = key.defaultValue;
    }
    return line;
}

SerialSettings Settings::StoredMeasuredLine(const CProfile& profile, const SerialSettings& defaults)
{
    SerialSettings line;
    for (const CLineKey& key : kMeasuredLineKeys) {
        line.*key.text = profile.GetString(kDataSources, key.key, defaults.*key.text);
    }
    return line;
}

void Settings::SaveMeasuredLine(const CProfile& profile, const SerialSettings& line)
{
    const SerialSettings stored = StoredMeasuredLine(profile, DefaultMeasuredLine());
    const CProfileSave save(profile);
    for (const CLineKey& key : kMeasuredLineKeys) {
        if (line.*key.text != stored.*key.text) {
            profile.WriteString(kDataSources, key.key, line.*key.text);
        }
    }
}

std::vector<std::string> Settings::StoredNetworkPorts(const CProfile& profile)
{
    std::vector<std::string> addresses;
    const std::string stored = profile.GetString(kDataSources, kNetworkPorts, "");
    std::string_view text = stored;
    while (!text.empty()) {
        const size_t end = std::min(text.find(' '), text.size());
        if (end > 0) {
            addresses.emplace_back(text.substr(0, end));
        }
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return addresses;
}

void Settings::SaveNetworkPorts(const CProfile& profile, const std::vector<std::string>& addresses)
{
    std::string text;
    for (const std::string& address : addresses) {
        text += (text.empty() ? "" : " ") + address;
    }
    profile.WriteString(kDataSources, kNetworkPorts, text);
}

std::string Settings::StoredText(const CProfile& profile, std::string Settings::*field)
{
    for (const CLineKey& key : kMeasuredLineKeys) {
        if (key.field == field) {
            return profile.GetString(kDataSources, key.key, "");
        }
    }
    const std::optional<StoredKey> key = KeyOf<CTextKey>(field);
    return key ? profile.GetString(key->section, key->key, "") : std::string();
}

bool Settings::IsStored(const CProfile& profile, int Settings::*field)
{
    const std::optional<StoredKey> key = KeyOf<CIntKey>(field);
    return key && !profile.GetString(key->section, key->key, "").empty();
}

void Settings::LoadLogging(const CProfile& profile)
{
    Load(*this, profile, kLogging, kLoggingKeys);
    // A text too short to cover the MIDs is ignored: only navigation data (MID 2) is logged.
    const std::string messages = profile.GetString(kLogging, kMessages, "");
    const bool valid = messages.size() >= kMessagesLength - 1;
    for (size_t mid = 0; mid < kMessagesLength; ++mid) {
        logMessages[mid] = valid ? (mid < messages.size() && messages[mid] == '1') : (mid == 2);
    }
    supplied = dataSource == 1;
    random = !supplied;
}

void Settings::SaveLogging(const CProfile& profile) const
{
    const CProfileSave save(profile);
    Save(*this, profile, kLogging, kLoggingKeys);
    std::string messages;
    for (const int logged : logMessages) {
        messages += logged ? '1' : '0';
    }
    profile.WriteString(kLogging, kMessages, messages);
}

void Settings::LoadReceiverInit(const CProfile& profile)
{
    Load(*this, profile, kReceiverInit, kReceiverInitKeys);
}

void Settings::SaveReceiverInit(const CProfile& profile) const
{
    Save(*this, profile, kReceiverInit, kReceiverInitKeys);
}

void Settings::LoadMapView(const CProfile& profile)
{
    Load(*this, profile, kMapView, kMapViewKeys);
}

void Settings::SaveMapView(const CProfile& profile) const
{
    Save(*this, profile, kMapView, kMapViewKeys);
}

void Settings::LoadSignalView(const CProfile& profile)
{
    Load(*this, profile, kSignalView, kSignalViewKeys);
}

void Settings::SaveSignalView(const CProfile& profile) const
{
    Save(*this, profile, kSignalView, kSignalViewKeys);
}

void Settings::LoadRadarView(const CProfile& profile)
{
    Load(*this, profile, kRadarView, kRadarViewKeys);
}

void Settings::SaveRadarView(const CProfile& profile) const
{
    Save(*this, profile, kRadarView, kRadarViewKeys);
}

void Settings::LoadTimerDelay(const CProfile& profile)
{
    Load(*this, profile, kRandomData, kRandomDataKeys);
}

void Settings::SaveTimerDelay(const CProfile& profile) const
{
    Save(*this, profile, kRandomData, kRandomDataKeys);
}

void Settings::LoadExternalTimer(const CProfile& profile)
{
    Load(*this, profile, kFileData, kFileDataKeys);
}

void Settings::SaveExternalTimer(const CProfile& profile) const
{
    Save(*this, profile, kFileData, kFileDataKeys);
}

void Settings::LoadPlaybackSpeed(const CProfile& profile)
{
    Load(*this, profile, kPlayback, kPlaybackKeys);
}

void Settings::SavePlaybackSpeed(const CProfile& profile) const
{
    Save(*this, profile, kPlayback, kPlaybackKeys);
}

void Settings::LoadShare(const CProfile& profile)
{
    Load(*this, profile, kShare, kShareKeys);
}

void Settings::SaveShare(const CProfile& profile) const
{
    Save(*this, profile, kShare, kShareKeys);
}

}  // namespace kestrion
