#include "views/NavMsgView.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include <QGridLayout>
#include <QLabel>

#include "protocol/MessageLayouts.h"
#include "protocol/MessageRecord.h"
#include "protocol/Mid.h"
#include "protocol/TextFormatter.h"
#include "app/DocumentView.h"
#include "geo/Geodetic.h"
#include "views/NavModeText.h"

namespace kestrion {
namespace {

constexpr uint8_t kValidated = 0x02;  // mode 2
constexpr int kGenerations[] = {1, 2};  // mode names of generation 1, and of all later ones
constexpr uint8_t kMode2Bits = 0x0F;    // the bits of mode 2 the mode text reads

constexpr const char* kPositionFormat = "%d";
constexpr const char* kVelocityFormat = "%10.3f";
constexpr const char* kDegreesFormat = "%-10.5f";
constexpr const char* kAltitudeFormat = "%-10.0f";
constexpr const char* kDopFormat = "%-3.1f";
constexpr const char* kTimeFormat = "%.2lf";
constexpr const char* kUnsignedFormat = "%u";
constexpr const char* kSvFormat = "%d ";
constexpr const char* kValidatedText = "Validated";
constexpr const char* kUnvalidatedText = "Unvalidated";

// The X, Y and Z columns.
constexpr CNavMsgView::Field kPositionFields[] = {CNavMsgView::kPositionX, CNavMsgView::kPositionY,
                                                  CNavMsgView::kPositionZ};
constexpr CNavMsgView::Field kVelocityFields[] = {CNavMsgView::kVelocityX, CNavMsgView::kVelocityY,
                                                  CNavMsgView::kVelocityZ};

// The SV IDs of the first count channels, zeros left out.
std::string SvList(const NavBlock& nav)
{
    std::string text;
    const size_t used = std::min<size_t>(nav.svCount, kChannels);
    for (size_t channel = 0; channel < used; ++channel) {
        if (nav.svIds[channel] != 0) {
            AppendFormat(text, kSvFormat, {nav.svIds[channel]});
        }
    }
    return text;
}

std::string WidestModeText()
{
    std::string widest;
    for (const int generation : kGenerations) {
        for (int mode1 = 0; mode1 <= 0xFF; ++mode1) {
            for (int mode2 = 0; mode2 <= kMode2Bits; ++mode2) {
                std::string text = NavModeText(static_cast<uint8_t>(mode1), static_cast<uint8_t>(mode2), generation);
                if (text.size() > widest.size()) {
                    widest = std::move(text);
                }
            }
        }
    }
    return widest;
}

// The used satellites as RINEX names.
std::string UsedNames(const ReceiverEpoch& epoch)
{
    std::string text;
    for (const SatelliteId id : epoch.usedIds) {
        text += RinexName(id) + ' ';
    }
    return text;
}

// The UTC date and time of day, as much of it as is known.
std::string UtcText(const EpochTime& time)
{
    std::string text;
    if (time.utcDate) {
        AppendFormat(text, "%04d-%02d-%02d ", {time.utcDate->year, time.utcDate->month, time.utcDate->day});
    }
    if (time.utcMillisecond) {
        const int64_t ms = *time.utcMillisecond;
        AppendFormat(text, "%02d:%02d:%06.3f", {int(ms / 3600000), int(ms / 60000 % 60), ms % 60000 * 0.001});
    }
    return text;
}

}  // namespace

CNavMsgView::CNavMsgView(const ProtocolState& protocol, QWidget* parent)
    : QWidget(parent), m_protocol(protocol)
{
    setWindowTitle(kCaption);
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel("Position (m):"), 1, 0);
    grid->addWidget(new QLabel("Velocity (m/s):"), 2, 0);
    const char* axes[] = {"X", "Y", "Z"};
    for (int axis = 0; axis < 3; ++axis) {
        grid->addWidget(new QLabel(axes[axis]), 0, axis + 1, Qt::AlignHCenter);
        grid->addWidget(Add(kPositionFields[axis]), 1, axis + 1);
        grid->addWidget(Add(kVelocityFields[axis]), 2, axis + 1);
    }

    struct Line {
        const char* label;
        Field field;
    };
    const Line lines[] = {{"Lat:", kLatitude}, {"Lon:", kLongitude}, {"Alt:", kAltitude},
                          {"Mode:", kMode},    {"DOP:", kDop},       {"Fix:", kFix},
                          {"GPS Week:", kWeek}, {"Time:", kTime}};
    int row = 3;
    for (const Line& line : lines) {
        grid->addWidget(new QLabel(line.label), row, 0);
        grid->addWidget(Add(line.field), row++, 1, 1, 3);
    }
    grid->addWidget(new QLabel("SVs Used in Fix:"), row, 0);
    grid->addWidget(Add(kSvCount), row, 1);
    grid->addWidget(Add(kSvList), row, 2, 1, 2);
    grid->setRowStretch(row + 1, 1);
}

QLineEdit* CNavMsgView::Add(Field field)
{
    return m_fields.Add(field, WidestFieldText(field));
}

// The widest text of each field: the extremes of the message's fields in the field's format
// (the font has one width for all characters).
std::string CNavMsgView::WidestFieldText(Field field)
{
    constexpr int32_t kFarthest = std::numeric_limits<int32_t>::min();
    switch (field) {
    case kPositionX:
    case kPositionY:
    case kPositionZ: return FormatText(kPositionFormat, {kFarthest});
    case kVelocityX:
    case kVelocityY:
    case kVelocityZ: return FormatText(kVelocityFormat, {fields::kNavVelocity[0].Scaled(std::numeric_limits<int16_t>::min())});
    case kLatitude: return FormatText(kDegreesFormat, {-90.0});
    case kLongitude: return FormatText(kDegreesFormat, {-180.0});
    case kAltitude:
        return FormatText(kAltitudeFormat, {EcefToGeodetic(kFarthest, kFarthest, kFarthest).height});
    case kMode: return WidestModeText();
    case kDop: return FormatText(kDopFormat, {fields::kNavDop.Scaled(0xFF)});
    case kFix: return kUnvalidatedText;
    case kWeek: return FormatText(kUnsignedFormat, {0xFFFFu});
    case kTime: return FormatText(kTimeFormat, {fields::kNavTow.Scaled(std::numeric_limits<uint32_t>::max())});
    case kSvCount: return FormatText(kUnsignedFormat, {0xFFu});
    case kSvList: {
        std::string list;
        for (size_t channel = 0; channel < kChannels; ++channel) {
            AppendFormat(list, kSvFormat, {0xFF});
        }
        return list;
    }
    }
    return {};
}

void CNavMsgView::OnUpdate(UpdateHint hint, const CMessageRecord* record)
{
    if (hint == UpdateHint::Opening) {
        m_receiver.Reset();
    } else if (hint == UpdateHint::SourceEnded) {
        if (const ReceiverEpoch* epoch = m_receiver.Finish()) {
            ShowEpoch(*epoch);
        }
    } else if (hint == UpdateHint::Record && record != nullptr) {
        if (const ReceiverEpoch* epoch = m_receiver.Take(*record)) {
            ShowEpoch(*epoch);
        }
    }
}

void CNavMsgView::ShowEpoch(const ReceiverEpoch& epoch)
{
    if (epoch.truth) {
        return;
    }
    if (epoch.binaryNav) {
        Show(*epoch.binaryNav);
    } else {
        ShowNmea(epoch);
    }
}

void CNavMsgView::ShowNmea(const ReceiverEpoch& epoch)
{
    const auto set = [this](Field field, const char* format, std::optional<double> value) {
        m_fields.Set(field, value ? FormatText(format, {*value}) : std::string());
    };
    const std::optional<EpochPosition>& position = epoch.position;
    const std::optional<EcefVector>& velocity = epoch.velocity.ecef;
    for (int axis = 0; axis < 3; ++axis) {
        const auto component = [axis](const EcefVector& v) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; };
        m_fields.Set(kPositionFields[axis], position ? FormatText(kPositionFormat, {int64_t(std::llround(component(
                                                                                       position->ecef)))})
                                                     : std::string());
        // Rounded first, so that a speck below the last digit never shows as "-0.000".
        set(kVelocityFields[axis], kVelocityFormat,
            velocity ? std::optional(std::round(component(*velocity) * 1000.0) / 1000.0 + 0.0) : std::nullopt);
    }
    set(kLatitude, kDegreesFormat, position ? std::optional(position->latitude) : std::nullopt);
    set(kLongitude, kDegreesFormat, position ? std::optional(position->longitude) : std::nullopt);
    std::optional<double> height;
    if (position) {
        height = position->heightEllipsoid ? position->heightEllipsoid : position->altitudeMsl;
    }
    set(kAltitude, kAltitudeFormat, height);

    m_fields.Set(kMode, FixModeName(epoch.fix));
    set(kDop, kDopFormat, epoch.dops.hdop);
    m_fields.Set(kFix, std::string());  // the binary protocol's validation
    m_fields.Set(kWeek, epoch.time.gpsWeek ? FormatText(kUnsignedFormat, {*epoch.time.gpsWeek}) : std::string());
    m_fields.Set(kTime, epoch.time.gpsTow ? FormatText(kTimeFormat, {fields::kNavTow.Scaled(*epoch.time.gpsTow)}) : UtcText(epoch.time));
    m_fields.Set(kSvCount, epoch.usedCount ? FormatText(kUnsignedFormat, {*epoch.usedCount}) : std::string());
    m_fields.Set(kSvList, UsedNames(epoch));
}

void CNavMsgView::Show(const NavBlock& nav)
{
    const int32_t position[] = {nav.x, nav.y, nav.z};
    const int16_t velocity[] = {nav.vx, nav.vy, nav.vz};
    for (int axis = 0; axis < 3; ++axis) {
        m_fields.Set(kPositionFields[axis], FormatText(kPositionFormat, {position[axis]}));
        m_fields.Set(kVelocityFields[axis], FormatText(kVelocityFormat, {fields::kNavVelocity[axis].Scaled(velocity[axis])}));
    }

    const GeodeticPosition geodetic = EcefToGeodetic(nav.x, nav.y, nav.z);
    m_fields.Set(kLatitude, FormatText(kDegreesFormat, {geodetic.latitude * kDegreesPerRadian}));
    m_fields.Set(kLongitude, FormatText(kDegreesFormat, {geodetic.longitude * kDegreesPerRadian}));
    m_fields.Set(kAltitude, FormatText(kAltitudeFormat, {geodetic.height}));

    m_fields.Set(kMode, NavModeText(nav.mode1, nav.mode2, m_protocol.generation));
    m_fields.Set(kDop, FormatText(kDopFormat, {fields::kNavDop.Scaled(nav.dop)}));
    m_fields.Set(kFix, (nav.mode2 & kValidated) != 0 ? kValidatedText : kUnvalidatedText);
    m_fields.Set(kWeek, FormatText(kUnsignedFormat, {nav.week.Value()}));
    m_fields.Set(kTime, FormatText(kTimeFormat, {fields::kNavTow.Scaled(nav.tow)}));
    m_fields.Set(kSvCount, FormatText(kUnsignedFormat, {nav.svCount}));
    m_fields.Set(kSvList, SvList(nav));
}

}  // namespace kestrion
