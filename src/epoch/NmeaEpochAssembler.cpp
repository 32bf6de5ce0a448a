#include "epoch/NmeaEpochAssembler.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

#include "epoch/NmeaFields.h"
#include "geo/Geodetic.h"

namespace kestrion {
namespace {

constexpr double kKnot = 1852.0 / 3600.0;  // m/s
constexpr int64_t kDay = 86400000;
constexpr int64_t kGroupLifetime = 10000;  // ms of stream time without a complete group

// Position sources from the least to the most complete.
enum class Rank { None, Gll, Rmc, Gns, Gga };

struct GsvEntry {
    SatelliteId id;
    std::optional<double> elevation, azimuth;
    std::optional<int> cn0;
};

struct GsvGroup {
    std::vector<GsvEntry> entries;
    std::optional<int64_t> completedAt;
};

struct GsvProgress {
    int total = 0, next = 0;
    std::vector<GsvEntry> entries;
};

using GroupKey = std::pair<std::string, char>;  // talker, signal ID

FixMode ModeLetter(char letter)
{
    switch (letter) {
    case 'A': case 'P': case 'M': case 'S': return FixMode::ThreeD;
    case 'D': return FixMode::Dgps;
    case 'R': return FixMode::RtkFixed;
    case 'F': return FixMode::RtkFloat;
    case 'E': return FixMode::DeadReckoning;
    default: return FixMode::None;
    }
}

// GNS gives a letter per system: the best of them.
FixMode ModeLetters(std::string_view letters)
{
    constexpr FixMode kOrder[] = {FixMode::RtkFixed, FixMode::RtkFloat, FixMode::Dgps, FixMode::ThreeD,
                                  FixMode::DeadReckoning};
    for (const FixMode mode : kOrder) {
        if (std::ranges::any_of(letters, [mode](char c) { return ModeLetter(c) == mode; })) {
            return mode;
        }
    }
    return FixMode::None;
}

// GGA fix quality codes; 1 (GPS fix) and codes not listed are a 3D fix.
struct GgaQualityMode {
    int quality;
    FixMode mode;
};
constexpr GgaQualityMode kGgaQualities[] = {
    {0, FixMode::None}, {2, FixMode::Dgps}, {4, FixMode::RtkFixed}, {5, FixMode::RtkFloat}, {6, FixMode::DeadReckoning},
};

std::optional<FixMode> GgaQuality(std::optional<int> quality)
{
    if (!quality) return std::nullopt;
    const auto* found = std::ranges::find(kGgaQualities, *quality, &GgaQualityMode::quality);
    return found != std::end(kGgaQualities) ? found->mode : FixMode::ThreeD;
}

int64_t Elapsed(int64_t from, int64_t to)
{
    return ((to - from) % kDay + kDay) % kDay;
}

}  // namespace

struct CNmeaEpochAssembler::State {
    CNmeaFields fields;
    ReceiverEpoch open;
    bool opened = false;
    ReceiverEpoch closed;

    Rank positionRank = Rank::None;
    std::optional<FixMode> ggaFix, gnsFix, letterFix;
    std::optional<int> gsaFixType;
    bool rmcValid = false;

    std::vector<std::pair<GroupKey, GsvGroup>> groups;  // in the order the stream first gave them
    std::map<GroupKey, GsvProgress> progress;
    std::vector<SatelliteId> used;
    bool lastWasGsa = false;
    std::optional<int64_t> streamTime;

    void Begin(std::optional<int64_t> time)
    {
        open = {};
        open.source = ReceiverEpoch::Source::Nmea;
        open.time.utcMillisecond = time;
        opened = true;
        positionRank = Rank::None;
        ggaFix.reset();
        gnsFix.reset();
        letterFix.reset();
        gsaFixType.reset();
        rmcValid = false;
    }

    // A time of day seen: true when it closed the open epoch.
    bool See(std::optional<int64_t> time)
    {
        if (!time) {
            if (!opened) Begin(std::nullopt);
            return false;
        }
        if (!opened || !open.time.utcMillisecond || *open.time.utcMillisecond == *time) {
            if (!opened) Begin(time);
            open.time.utcMillisecond = time;
            streamTime = time;
            return false;
        }
        Close();  // at the closing epoch's own time, before the clock moves on
        streamTime = time;
        Begin(time);
        return true;
    }

    void Close()
    {
        FixMode fix = ggaFix.value_or(gnsFix.value_or(letterFix.value_or(rmcValid ? FixMode::ThreeD : FixMode::None)));
        if (gsaFixType == 1 && !ggaFix && !gnsFix) fix = FixMode::None;
        if (fix == FixMode::ThreeD && gsaFixType == 2) fix = FixMode::TwoD;
        if (!open.position) fix = FixMode::None;
        open.fix = fix;
        if (open.position) {
            EpochPosition& p = *open.position;
            if (p.altitudeMsl && p.geoidSeparation) p.heightEllipsoid = *p.altitudeMsl + *p.geoidSeparation;
            p.ecef = GeodeticToEcef({p.latitude, p.longitude, p.heightEllipsoid.value_or(p.altitudeMsl.value_or(0.0))});
        }
        if (open.velocity.groundSpeed && open.velocity.course && open.position) {
            const double c = Radians(*open.velocity.course);
            open.velocity.ecef = LocalToEcef({open.position->latitude, open.position->longitude, 0.0},
                                             *open.velocity.groundSpeed * std::sin(c),
                                             *open.velocity.groundSpeed * std::cos(c), 0.0);
        }
        DropStaleGroups();
        size_t entries = 0;
        for (const auto& item : groups) {
            entries += item.second.entries.size();
        }
        open.satellites.reserve(entries);
        for (const auto& [key, group] : groups) {
            for (const GsvEntry& entry : group.entries) {
                auto found = std::ranges::find(open.satellites, entry.id, &SatelliteView::id);
                if (found == open.satellites.end()) {
                    SatelliteView view;
                    view.id = entry.id;
                    open.satellites.push_back(view);
                    found = open.satellites.end() - 1;
                }
                if (!found->elevation) found->elevation = entry.elevation;
                if (!found->azimuth) found->azimuth = entry.azimuth;
                SignalObservation signal;
                signal.id = key.second;
                signal.cn0 = entry.cn0;
                signal.samples.fill(static_cast<uint8_t>(std::clamp(entry.cn0.value_or(0), 0, 255)));
                found->observations.push_back(signal);
            }
        }
        open.usedIds = used;
        for (SatelliteView& view : open.satellites) {
            view.used = std::ranges::find(used, view.id) != used.end();
        }
        // Position sentences of single systems count only theirs: the largest count stands.
        if (!used.empty()) open.usedCount = std::max(open.usedCount.value_or(0), static_cast<int>(used.size()));
        closed = std::move(open);
        opened = false;
    }

    void DropStaleGroups()
    {
        if (!streamTime) return;
        std::erase_if(groups, [this](const auto& item) {
            const auto& at = item.second.completedAt;
            return at && Elapsed(*at, *streamTime) > kGroupLifetime;
        });
    }

    void TakePosition(Rank rank, size_t latitudeField)
    {
        const auto latitude = fields.Angle(latitudeField), longitude = fields.Angle(latitudeField + 2);
        if (!latitude || !longitude || rank <= positionRank) return;
        EpochPosition position = open.position.value_or(EpochPosition{});
        position.latitude = *latitude;
        position.longitude = *longitude;
        open.position = position;
        positionRank = rank;
    }

    void TakeHeights(size_t altitudeField, size_t separationField)
    {
        if (!open.position) return;
        if (auto a = fields.Number(altitudeField); a && !open.position->altitudeMsl) open.position->altitudeMsl = a;
        if (auto s = fields.Number(separationField); s && !open.position->geoidSeparation) open.position->geoidSeparation = s;
    }

    void TakeCountAndHdop(size_t countField)
    {
        if (const auto count = fields.Integer(countField); count && count > open.usedCount.value_or(-1)) {
            open.usedCount = count;
        }
        if (!open.dops.hdop) open.dops.hdop = fields.Number(countField + 1);
    }

    void TakeSpeed(std::optional<double> metresPerSecond, std::optional<double> course)
    {
        if (metresPerSecond && !open.velocity.groundSpeed) open.velocity.groundSpeed = metresPerSecond;
        if (course && !open.velocity.course) open.velocity.course = std::fmod(std::fmod(*course, 360.0) + 360.0, 360.0);
    }

    void TakeLetter(std::string_view text)
    {
        if (text.size() == 1 && !letterFix) letterFix = ModeLetter(text[0]);
    }

    void Gga()
    {
        TakePosition(Rank::Gga, 2);
        if (!ggaFix) ggaFix = GgaQuality(fields.Integer(6));
        TakeCountAndHdop(7);
        TakeHeights(9, 11);
    }

    void Gns()
    {
        TakePosition(Rank::Gns, 2);
        if (!fields.Text(6).empty() && !gnsFix) gnsFix = ModeLetters(fields.Text(6));
        TakeCountAndHdop(7);
        TakeHeights(9, 10);
    }

    void Rmc()
    {
        const bool valid = fields.Text(2) == "A";
        if (valid) TakePosition(Rank::Rmc, 3);
        rmcValid = rmcValid || valid;
        TakeSpeed(fields.Number(7) ? std::optional(*fields.Number(7) * kKnot) : std::nullopt, fields.Number(8));
        const std::string_view date = fields.Text(9);
        if (const auto d = fields.Integer(9); d && date.size() == 6 && !open.time.utcDate) {
            const int yy = *d % 100;
            open.time.utcDate = CivilDate{yy < 80 ? 2000 + yy : 1900 + yy, *d / 100 % 100, *d / 10000};
        }
        TakeLetter(fields.Text(12));
    }

    void Gll()
    {
        if (fields.Text(6) == "A") TakePosition(Rank::Gll, 1);
        TakeLetter(fields.Text(7));
    }

    void Vtg()
    {
        std::optional<double> speed;
        if (auto knots = fields.Number(5)) speed = *knots * kKnot;
        else if (auto kmh = fields.Number(7)) speed = *kmh / 3.6;
        TakeSpeed(speed, fields.Number(1));
    }

    void Gsa()
    {
        if (!lastWasGsa) used.clear();
        std::optional<GnssSystem> system = TalkerSystem(fields.Talker());
        if (auto id = fields.Integer(18)) system = NmeaSystemId(*id);
        for (size_t i = 3; i <= 14; ++i) {
            if (auto number = fields.Integer(i)) {
                if (auto id = NmeaSatellite(system, *number); id && std::ranges::find(used, *id) == used.end()) {
                    used.push_back(*id);
                }
            }
        }
        if (auto type = fields.Integer(2)) gsaFixType = gsaFixType ? std::max(*gsaFixType, *type) : *type;
        if (auto v = fields.Number(15)) open.dops.pdop = v;
        if (auto v = fields.Number(16)) open.dops.hdop = v;
        if (auto v = fields.Number(17)) open.dops.vdop = v;
    }

    void Gsv()
    {
        const auto total = fields.Integer(1), number = fields.Integer(2);
        if (!total || !number || *total < 1 || *number < 1 || *number > *total) return;
        // Four fields a satellite after the first three; one more is the signal ID.
        const size_t data = fields.Count() - 4;
        const bool hasSignal = fields.Count() >= 4 && data % 4 == 1 && fields.Text(fields.Count() - 1).size() == 1;
        const char signal = hasSignal ? fields.Text(fields.Count() - 1)[0] : 0;
        const GroupKey key{std::string(fields.Talker()), signal};
        GsvProgress& group = progress[key];
        if (*number == 1) {
            group = {*total, 1, {}};
        } else if (group.total != *total || group.next != *number) {
            group = {};  // broken: the last complete group stays
            return;
        }
        const std::optional<GnssSystem> system = TalkerSystem(fields.Talker());
        const size_t end = fields.Count() - (hasSignal ? 1 : 0);
        for (size_t i = 4; i + 3 < end + 3 && i < end; i += 4) {
            const auto prn = fields.Integer(i);
            if (!prn) continue;
            if (auto id = NmeaSatellite(system, *prn)) {
                GsvEntry entry{*id, fields.Number(i + 1), fields.Number(i + 2), fields.Integer(i + 3)};
                if (entry.cn0 && *entry.cn0 <= 0) entry.cn0.reset();
                group.entries.push_back(entry);
            }
        }
        if (++group.next > group.total) {
            GsvGroup complete{std::move(group.entries), streamTime};
            const auto kept = std::ranges::find(groups, key, &std::pair<GroupKey, GsvGroup>::first);
            if (kept != groups.end()) {
                kept->second = std::move(complete);
            } else {
                groups.emplace_back(key, std::move(complete));
            }
            progress.erase(key);
            open.satellitesFresh = true;
        }
    }

    void Gst()
    {
        open.estimates.rms = fields.Number(2);
        open.estimates.sigmaLatitude = fields.Number(6);
        open.estimates.sigmaLongitude = fields.Number(7);
        open.estimates.sigmaAltitude = fields.Number(8);
    }

    void Zda()
    {
        const auto day = fields.Integer(2), month = fields.Integer(3), year = fields.Integer(4);
        if (day && month && year && *month >= 1 && *month <= 12 && *day >= 1 && *day <= 31) {
            open.time.utcDate = CivilDate{*year, *month, *day};
        }
    }
};

CNmeaEpochAssembler::CNmeaEpochAssembler() : m_state(std::make_unique<State>()) {}
CNmeaEpochAssembler::~CNmeaEpochAssembler() = default;

bool CNmeaEpochAssembler::Take(std::string_view sentence)
{
    State& s = *m_state;
    if (!s.fields.Parse(sentence) || s.fields.Talker() == "P") {
        return false;
    }
    const std::string_view type = s.fields.Type();
    std::optional<int64_t> time;
    bool timed = true;
    if (type == "GGA" || type == "RMC" || type == "GNS" || type == "GST" || type == "ZDA") {
        time = s.fields.TimeOfDay(1);
    } else if (type == "GLL") {
        time = s.fields.TimeOfDay(5);
    } else if (type == "GSA" || type == "GSV" || type == "VTG") {
        timed = false;
    } else {
        return false;
    }
    const bool closed = s.See(timed ? time : std::nullopt);
    if (type == "GGA") s.Gga();
    else if (type == "RMC") s.Rmc();
    else if (type == "GNS") s.Gns();
    else if (type == "GLL") s.Gll();
    else if (type == "VTG") s.Vtg();
    else if (type == "GSA") s.Gsa();
    else if (type == "GSV") s.Gsv();
    else if (type == "GST") s.Gst();
    else if (type == "ZDA") s.Zda();
    s.lastWasGsa = type == "GSA";
    return closed;
}

bool CNmeaEpochAssembler::Finish()
{
    if (!m_state->opened) {
        return false;
    }
    m_state->Close();
    return true;
}

void CNmeaEpochAssembler::Reset()
{
    m_state = std::make_unique<State>();
}

const ReceiverEpoch& CNmeaEpochAssembler::Epoch() const
{
    return m_state->closed;
}

}  // namespace kestrion
