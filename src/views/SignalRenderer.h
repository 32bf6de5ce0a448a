#pragma once
// Drawing of the signal level view. Each channel row keeps its chart as an off-screen image:
// the image is the history, scrolled left one cell per plot, so a plot draws one cell only.
// The row also keeps the plots its cells show, so that a new layout (another window size or
// pixel ratio) draws the same history again. The view is painted from the rows' texts and images.
#include <array>
#include <climits>
#include <deque>
#include <span>
#include <string>

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>

#include "views/SignalGeometry.h"

namespace kestrion {

// How samples are drawn: the scale, and graph type 0 (bars) or 1 (a line through them).
struct SignalChartStyle {
    SignalScale scale;
    int graphType = 0;
};

// One cell's worth of a channel, as it was plotted.
struct SignalPlot {
    TrackerChannel channel;
    Rgb colour;
    int graphType;
};

// What one channel row shows.
struct SignalRowPicture {
    SignalRow row;
    std::array<std::string, kSignalTextColumns> texts{};  // blank until the channel is plotted
    Rgb textColour = kBlack;
    QImage chart;  // graph width × H; null when there is no room for it
    int lastY = 0;  // of the last sample drawn, where a line graph goes on from
    std::deque<SignalPlot> plots;  // the newest last, as many as there are cells at most
};

// A row as laid out: no texts, and five empty cells (black outline, white inside) on the
// background, at the pixel ratio.
SignalRowPicture MakeSignalRowPicture(const SignalRow& row, qreal ratio, const QColor& background);

// The row laid out anew with the texts and plots of `shown`, drawn again in the new geometry.
SignalRowPicture RelayoutSignalRow(const SignalRowPicture& shown, const SignalRow& row, qreal ratio,
                                   const QColor& background, const SignalScale& scale);

// Writes the channel's texts in the colour; when the row has a chart, scrolls it one cell
// left and draws the channel's ten samples into the newest cell in the colour.
void PlotSignalChannel(SignalRowPicture& picture, const SignalChartStyle& style, const TrackerChannel& channel,
                       Rgb colour);

// The same for any row: its texts, and the ten samples of the cycle.
void PlotSignalRow(SignalRowPicture& picture, const SignalChartStyle& style,
                   const std::array<std::string, kSignalTextColumns>& texts,
                   const std::array<uint8_t, kCnoCount>& samples, Rgb colour);

// Blanks the texts and scrolls the whole history out of the chart.
void ClearSignalChannel(SignalRowPicture& picture, const SignalChartStyle& style);

// The scale labels' font, Arial of the labels' height.
QFont SignalScaleFont(const SignalScaleLabels& labels);
// Room right of the charts for the scale labels of rows this high, in their font.
int SignalScaleRoomFor(int rowHeight, const SignalScale& scale);

// The headings, every row's texts, scale labels and chart. The background is the caller's.
// Rows wholly outside the lines visibleTop..visibleBottom (the painter's) are left out.
void PaintSignalView(QPainter& painter, std::span<const SignalRowPicture> rows, const SignalScale& scale,
                     const QColor& labelColour, int visibleTop = INT_MIN, int visibleBottom = INT_MAX);

}  // namespace kestrion
