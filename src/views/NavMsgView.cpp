#include "views/NavMsgView.h"

#include <algorithm>
#include <string>

#include <QGridLayout>
#include <QLabel>

#include "protocol/MessageRecord.h"
#include "protocol/Mid.h"
#include "protocol/TextFormatter.h"
#include "app/DocumentView.h"
#include "synth/Geodetic.h"
#include "views/NavModeText.h"

namespace kestrion {
namespace {

constexpr uint8_t kValidated = 0x02;  // mode 2

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
            AppendFormat(text, "%d ", {nav.svIds[channel]});
        }
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
        grid->addWidget(m_fields.Add(kPositionFields[axis]), 1, axis + 1);
        grid->addWidget(m_fields.Add(kVelocityFields[axis]), 2, axis + 1);
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
        grid->addWidget(m_fields.Add(line.field), row++, 1, 1, 3);
    }
    grid->addWidget(new QLabel("SVs Used in Fix:"), row, 0);
    grid->addWidget(m_fields.Add(kSvCount), row, 1);
    grid->addWidget(m_fields.Add(kSvList), row, 2, 1, 2);
    grid->setRowStretch(row + 1, 1);
}

void CNavMsgView::OnUpdate(int hint, const CMessageRecord* record)
{
    if (hint == kHintRecord && record != nullptr && record->type == MID_MeasuredNavigation) {
        Show(record->nav);
    }
}

void CNavMsgView::Show(const NavBlock& nav)
{
    const int32_t position[] = {nav.x, nav.y, nav.z};
    const int16_t velocity[] = {nav.vx, nav.vy, nav.vz};
    for (int axis = 0; axis < 3; ++axis) {
        m_fields.Set(kPositionFields[axis], FormatText("%d", {position[axis]}));
        m_fields.Set(kVelocityFields[axis], FormatText("%10.3f", {velocity[axis] * 0.125}));
    }

    const GeodeticPosition geodetic = EcefToGeodetic(nav.x, nav.y, nav.z);
    m_fields.Set(kLatitude, FormatText("%-10.5f", {geodetic.latitude * kDegreesPerRadian}));
    m_fields.Set(kLongitude, FormatText("%-10.5f", {geodetic.longitude * kDegreesPerRadian}));
    m_fields.Set(kAltitude, FormatText("%-10.0f", {geodetic.height}));

    m_fields.Set(kMode, NavModeText(nav.mode1, nav.mode2, m_protocol.generation));
    m_fields.Set(kDop, FormatText("%-3.1f", {nav.dop * 0.2}));
    m_fields.Set(kFix, (nav.mode2 & kValidated) != 0 ? "Validated" : "Unvalidated");
    m_fields.Set(kWeek, FormatText("%u", {nav.week.Value()}));
    m_fields.Set(kTime, FormatText("%.2lf", {nav.tow.Value() * 0.01}));
    m_fields.Set(kSvCount, FormatText("%u", {nav.svCount}));
    m_fields.Set(kSvList, SvList(nav));
}

}  // namespace kestrion
