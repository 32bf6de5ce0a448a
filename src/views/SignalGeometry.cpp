#include "views/SignalGeometry.h"

#include <algorithm>

#include "platform/Settings.h"
#include "protocol/MessageLayouts.h"
#include "protocol/TextFormatter.h"

namespace kestrion {
namespace {

constexpr int kRowsTop = 30;
constexpr int kRowGap = 5;
constexpr int kRightMargin = 5;
constexpr int kTextLeft = 5;
constexpr int kTextWidth = kSignalGraphLeft - kTextLeft;
constexpr int kColumnWidth = kTextWidth / kSignalTextColumns;
constexpr int kHeadingHeight = 20;
constexpr int kMaxScaleFont = 15;
constexpr uint8_t kDifferential = 0x80;  // mode 1
constexpr int kHighestGpsSv = 32;

}  // namespace

SignalScale MakeSignalScale(int mode)
{
    return mode == 1 ? SignalScale{1, -190, -160} : SignalScale{2, 15, 50};
}

int SignalScaleMode(const Settings& settings)
{
    return settings.useTrue != 0 && settings.dataSource == 1 ? 1 : 2;
}

int SignalRow::SampleY(int value, const SignalScale& scale) const
{
    const double fraction = static_cast<double>(value - scale.low) / (scale.high - scale.low);
    return height - static_cast<int>(fraction * (height - 4)) - 3;
}

SignalRow LayoutSignalRow(int row, int clientWidth, int clientHeight)
{
    return LayoutSignalRowAt(row, (clientHeight - kRowsTop) / kSignalRows, clientWidth);
}

int SignalRowHeight(int rows, int clientHeight)
{
    if (rows <= kSignalRows) {
        return (clientHeight - kRowsTop) / kSignalRows;
    }
    return std::max((clientHeight - kRowsTop) / rows, kSignalMinimumRowHeight);
}

int SignalContentHeight(int rows, int rowHeight)
{
    return kRowsTop + rows * rowHeight;
}

SignalRow LayoutSignalRowAt(int row, int rowHeight, int clientWidth, int scaleRoom)
{
    SignalRow layout;
    layout.top = kRowsTop + row * rowHeight;
    layout.bottom = layout.top + rowHeight - kRowGap;
    layout.right = clientWidth - kRightMargin;
    layout.step = (layout.right - kSignalGraphLeft - scaleRoom) / 50;
    layout.cellWidth = 10 * layout.step + 1;
    layout.graphWidth = 50 * layout.step + 2;
    layout.newestStart = 40 * layout.step + 1;
    layout.height = layout.bottom - layout.top + 1;
    return layout;
}

int SignalScaleRoom(int labelWidth)
{
    constexpr int kGap = 2;  // between the chart and the labels
    return std::max(kSignalScaleRoom, labelWidth + kGap);
}

int SignalTextX(int column)
{
    return kTextLeft + kTextWidth * column / kSignalTextColumns;
}

int SignalMinimumTrackWidth()
{
    return 2 * SignalTextX(4) - SignalTextX(3);
}

std::vector<SignalLabel> SignalHeadings(const SignalRow& row0)
{
    const int y = row0.top - kHeadingHeight;
    const auto label = [y](std::string text, int x, int width, bool alignRight = false) {
        return SignalLabel{std::move(text), x, y, width, kHeadingHeight, alignRight};
    };
    std::vector<SignalLabel> labels;
    const char* columns[] = {"SV", "St", "Az", "El"};
    for (int column = 0; column < 4; ++column) {
        labels.push_back(label(columns[column], SignalTextX(column), kColumnWidth));
    }
    labels.push_back(label("C/No", SignalTextX(4) - kColumnWidth / 4, kColumnWidth));

    const int cell = row0.cellWidth;
    labels.push_back(label(FormatText("%d cycle", {-kSignalCells}), kSignalGraphLeft, cell));
    for (int k = 1; k < kSignalCells; ++k) {
        labels.push_back(label(FormatText("%d", {k - kSignalCells}), kSignalGraphLeft + k * cell, cell / 3));
    }
    labels.push_back(label("0", kSignalGraphLeft + 4 * cell + cell / 3, 2 * cell / 3, true));
    return labels;
}

SignalScaleLabels ScaleLabelsFor(const SignalRow& row, int minimumFont)
{
    const int fontHeight = std::max(std::min(row.height / 3, kMaxScaleFont), minimumFont);
    return {kSignalGraphLeft + row.graphWidth, row.top, row.bottom - fontHeight, fontHeight,
            2 * fontHeight <= row.height};
}

Rgb SignalRoleColour(const NavBlock& fix, const TrackerChannel& channel)
{
    const uint8_t* used = fix.svIds + std::min<size_t>(fix.svCount, kChannels);
    if (std::find(fix.svIds, used, channel.svId) != used) {
        return kFixGreen;
    }
    if (channel.svId > kHighestGpsSv && (fix.mode1 & kDifferential) != 0) {
        return kCyan;
    }
    return channel.averageCno != 0 ? kTrackedBlue : kUnlockedRed;
}

std::array<std::string, kSignalTextColumns> SignalRowTexts(const TrackerChannel& channel)
{
    // Azimuth and elevation in whole degrees, truncated.
    const auto degrees = [](const LayoutField& field, uint8_t count) { return static_cast<int>(field.Scaled(count)); };
    return {FormatText("%3d       ", {channel.svId}), FormatText("%02X       ", {channel.state.Value()}),
            FormatText("%-9d ", {degrees(fields::kAzimuth, channel.azimuth)}),
            FormatText("%-9d ", {degrees(fields::kElevation, channel.elevation)}),
            FormatText("%02d ", {channel.averageCno})};
}

}  // namespace kestrion

namespace kestrion {

std::array<std::string, kSignalTextColumns> SignalRowTexts(const SatelliteView& satellite,
                                                           const SignalObservation& signal)
{
    const auto degrees = [](const std::optional<double>& angle) {
        return angle ? FormatText("%-9d ", {static_cast<int>(*angle)}) : std::string();
    };
    std::string name = RinexName(satellite.id);
    if (signal.id != 0) {
        name += ' ';
        name += signal.id;
    }
    return {std::move(name),
            satellite.trackState ? FormatText("%02X       ", {unsigned{*satellite.trackState}}) : std::string(),
            degrees(satellite.azimuth), degrees(satellite.elevation),
            signal.cn0 ? FormatText("%02d ", {*signal.cn0}) : std::string()};
}

Rgb SignalRoleColour(const ReceiverEpoch& epoch, const SatelliteView& satellite, const SignalObservation& signal)
{
    if (satellite.used) {
        return kFixGreen;
    }
    if (satellite.id.system == GnssSystem::Sbas && epoch.fix == FixMode::Dgps) {
        return kCyan;
    }
    return signal.cn0.value_or(0) > 0 ? kTrackedBlue : kUnlockedRed;
}

}  // namespace kestrion
