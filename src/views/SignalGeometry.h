#pragma once
// Where the signal level view puts things, without a toolkit: twelve channel rows, each with
// five text columns and a strip chart of five cells (one per cycle) of ten samples, the
// headings above row 0, the scale labels right of every chart, and the colour of a channel.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "epoch/ReceiverEpoch.h"
#include "protocol/MessageBlocks.h"
#include "views/ViewColours.h"

namespace kestrion {

struct Settings;

inline constexpr int kSignalRows = static_cast<int>(kChannels);
inline constexpr int kSignalTextColumns = 5;  // SV, St, Az, El, C/No
inline constexpr int kSignalCells = 5;        // cycles in a chart
inline constexpr int kSignalGraphLeft = 210;

// The chart's value range and how a raw C/No sample maps into it.
struct SignalScale {
    int mode;  // 1 truth data, 2 measured data
    int low;
    int high;

    int Value(uint8_t raw) const { return mode == 1 ? raw - 255 : raw; }
};

SignalScale MakeSignalScale(int mode);
// Mode 1 when the truth simulator is the source ("UseTrue" set and "DataSource" 1), else 2.
int SignalScaleMode(const Settings& settings);

// One channel row for a client area; chart coordinates are relative to the chart's left and
// the row's top.
struct SignalRow {
    int top = 0;
    int bottom = 0;      // last line of the chart: top + H - 1
    int right = 0;       // the chart's right edge in the view
    int step = 0;        // c: pixels between samples
    int cellWidth = 0;   // 10c + 1
    int graphWidth = 0;  // 50c + 2
    int newestStart = 0;  // 40c + 1
    int height = 0;      // H

    // Too small or too narrow rows get their texts only.
    bool HasChart() const { return graphWidth > 0 && height > 2 && cellWidth > 1; }
    int BaseY() const { return height - 3; }
    int SampleX(int sample) const { return newestStart + step / 2 + sample * step; }
    // Out-of-range values land outside the cell: there is no clamping.
    int SampleY(int value, const SignalScale& scale) const;
};

// Room right of the charts for the scale labels; wider labels may ask for more.
inline constexpr int kSignalScaleRoom = 25;

SignalRow LayoutSignalRow(int row, int clientWidth, int clientHeight);

// Up to twelve rows share the height as the twelve channels do; more rows get what is left
// for each, but no less than kSignalMinimumRowHeight, and then may not fit (see
// SignalContentHeight).
inline constexpr int kSignalMinimumRowHeight = 24;
int SignalRowHeight(int rows, int clientHeight);
SignalRow LayoutSignalRowAt(int row, int rowHeight, int clientWidth, int scaleRoom = kSignalScaleRoom);
// The room for scale labels this wide: never less than kSignalScaleRoom.
int SignalScaleRoom(int labelWidth);
int SignalContentHeight(int rows, int rowHeight);

int SignalTextX(int column);
// The narrowest the view's frame may be dragged: 2·x(C/No) − x(El).
int SignalMinimumTrackWidth();

// A text placed in a box; left-aligned and at the top unless alignRight.
struct SignalLabel {
    std::string text;
    int x, y, width, height;
    bool alignRight = false;
};

// The column and cycle headings, 20 pixels high and ending at row 0's top.
std::vector<SignalLabel> SignalHeadings(const SignalRow& row0);

// The high and low values of the scale beside a chart, in Arial of fontHeight pixels: a third
// of the row up to 15, but no less than minimumFont. A row too low for both shows the high only.
struct SignalScaleLabels {
    int x, highY, lowY, fontHeight;
    bool showsLow = true;
};
SignalScaleLabels ScaleLabelsFor(const SignalRow& row, int minimumFont = 0);

// The channel's colour by its role: in the fix, above 32 while the fix is differential (bit 7
// of mode 1), tracked (a mean C/No), or not locked.
Rgb SignalRoleColour(const NavBlock& fix, const TrackerChannel& channel);

// The five column texts of a channel.
std::array<std::string, kSignalTextColumns> SignalRowTexts(const TrackerChannel& channel);

// The same for one signal of a satellite of any system: "G05 1" (the signal ID after the
// name when the source gives one), the channel state when there is one, azimuth and
// elevation in whole degrees and the C/N0, each blank when unknown.
std::array<std::string, kSignalTextColumns> SignalRowTexts(const SatelliteView& satellite,
                                                           const SignalObservation& signal);

// The colour of one signal: the satellite in the fix, SBAS while the fix is differential,
// a C/N0 above 0, or not tracked.
Rgb SignalRoleColour(const ReceiverEpoch& epoch, const SatelliteView& satellite, const SignalObservation& signal);

}  // namespace kestrion
