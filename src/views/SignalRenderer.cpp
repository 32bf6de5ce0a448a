#include "views/SignalRenderer.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include <QFontMetrics>

#include "protocol/TextFormatter.h"
#include "views/PaintSurface.h"

namespace kestrion {
namespace {

// A logical rectangle in device pixels of an image at its ratio.
QRect DeviceRect(const QImage& image, const QRect& logical)
{
    const qreal ratio = image.devicePixelRatio();
    const int left = qRound(logical.left() * ratio);
    const int top = qRound(logical.top() * ratio);
    const QRect device(QPoint(left, top), QPoint(qRound((logical.right() + 1) * ratio) - 1,
                                                 qRound((logical.bottom() + 1) * ratio) - 1));
    return device.intersected(image.rect());
}

// Moves the pixels of `area` left to start at `toX`, row by row in place.
void ScrollLeft(QImage& image, const QRect& area, int toX)
{
    const QRect source = DeviceRect(image, area);
    const int shift = qRound((area.left() - toX) * image.devicePixelRatio());
    const int bytesPerPixel = image.depth() / 8;
    if (source.isEmpty() || source.left() < shift) {
        return;
    }
    for (int y = source.top(); y <= source.bottom(); ++y) {
        uchar* line = image.scanLine(y);
        std::memmove(line + (source.left() - shift) * bytesPerPixel, line + source.left() * bytesPerPixel,
                     static_cast<size_t>(source.width()) * bytesPerPixel);
    }
}

// A text with its top left at (x, y). The blanks that end the row texts show nothing.
void DrawTextAt(QPainter& painter, int x, int y, std::string_view text)
{
    const std::string_view shown = text.substr(0, text.find_last_not_of(' ') + 1);
    if (!shown.empty()) {
        painter.drawText(QPoint(x, y + painter.fontMetrics().ascent()),
                         QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size())));
    }
}

// The last pixel of the line from `from` before `to`, one step back along its major axis.
QPoint BeforeEnd(QPoint from, QPoint to)
{
    const int dx = to.x() - from.x();
    const int dy = to.y() - from.y();
    if (std::abs(dx) >= std::abs(dy)) {
        const int x = to.x() - (dx > 0 ? 1 : -1);
        return {x, from.y() + qRound(static_cast<double>(dy) * (x - from.x()) / dx)};
    }
    const int y = to.y() - (dy > 0 ? 1 : -1);
    return {from.x() + qRound(static_cast<double>(dx) * (y - from.y()) / dy), y};
}

// A line without its end point, where the next segment starts; a line of no length draws
// nothing. The pen's square cap covers both ends of what is drawn.
void DrawOpenLine(QPainter& painter, QPoint from, QPoint to)
{
    if (from != to) {
        painter.drawLine(from, BeforeEnd(from, to));
    }
}

// Above ratio 1 lines are antialiased: centred on the logical pixel they stand for, they cover
// the same device pixels as a fill of that pixel.
void CentreLinesOnPixels(QPainter& painter)
{
    if (painter.device()->devicePixelRatioF() > 1.0) {
        painter.translate(0.5, 0.5);
    }
}

void PlotChart(SignalRowPicture& picture, const SignalScale& scale, const SignalPlot& plot)
{
    const SignalRow& row = picture.row;
    if (!row.HasChart() || picture.chart.isNull()) {
        return;
    }
    // Only the rows between the cells' top and bottom outlines scroll and take samples.
    const QRect inside(0, 1, row.graphWidth, row.height - 3);
    ScrollLeft(picture.chart, QRect(row.cellWidth, 1, row.newestStart + 1, inside.height()), 1);

    QPainter painter(&picture.chart);
    SetUpPainter(painter);
    painter.setClipRect(inside);
    painter.fillRect(QRect(row.newestStart + 1, 1, row.cellWidth - 3, inside.height()), ToQColor(kWhite));
    CentreLinesOnPixels(painter);
    painter.setPen(QPen(ToQColor(plot.colour), 1));
    for (int sample = 0; sample < static_cast<int>(kCnoCount); ++sample) {
        const int x = row.SampleX(sample);
        const int y = row.SampleY(scale.Value(plot.channel.cno[sample]), scale);
        const QPoint from = plot.graphType == 0 ? QPoint(x, row.BaseY()) : QPoint(x - row.step, picture.lastY);
        DrawOpenLine(painter, from, QPoint(x, y));
        picture.lastY = y;
    }
}

}  // namespace

SignalRowPicture MakeSignalRowPicture(const SignalRow& row, qreal ratio, const QColor& background)
{
    SignalRowPicture picture;
    picture.row = row;
    picture.lastY = row.height - 2;
    if (row.graphWidth <= 0 || row.height <= 0) {
        return picture;
    }
    picture.chart = MakeSurface(QSize(row.graphWidth, row.height), ratio, background);
    QPainter painter(&picture.chart);
    SetUpPainter(painter);
    CentreLinesOnPixels(painter);
    painter.setPen(ToQColor(kBlack));
    painter.setBrush(ToQColor(kWhite));
    for (int cell = 0; cell < kSignalCells; ++cell) {
        // Outlines cellWidth × (H − 1) pixels; neighbouring cells do not share their edges.
        painter.drawRect(QRect(cell * row.cellWidth, 0, row.cellWidth - 1, row.height - 2));
    }
    return picture;
}

SignalRowPicture RelayoutSignalRow(const SignalRowPicture& shown, const SignalRow& row, qreal ratio,
                                   const QColor& background, const SignalScale& scale)
{
    SignalRowPicture picture = MakeSignalRowPicture(row, ratio, background);
    picture.texts = shown.texts;
    picture.textColour = shown.textColour;
    picture.plots = shown.plots;
    for (const SignalPlot& plot : picture.plots) {
        PlotChart(picture, scale, plot);
    }
    return picture;
}

namespace {

void PlotCell(SignalRowPicture& picture, const SignalChartStyle& style, const SignalPlot& plot)
{
    picture.textColour = plot.colour;
    PlotChart(picture, style.scale, plot);
    picture.plots.push_back(plot);
    if (picture.plots.size() > kSignalCells) {
        picture.plots.pop_front();
    }
}

}  // namespace

void PlotSignalChannel(SignalRowPicture& picture, const SignalChartStyle& style, const TrackerChannel& channel,
                       Rgb colour)
{
    picture.texts = SignalRowTexts(channel);
    PlotCell(picture, style, SignalPlot{channel, colour, style.graphType});
}

void PlotSignalRow(SignalRowPicture& picture, const SignalChartStyle& style,
                   const std::array<std::string, kSignalTextColumns>& texts,
                   const std::array<uint8_t, kCnoCount>& samples, Rgb colour)
{
    picture.texts = texts;
    SignalPlot plot{TrackerChannel{}, colour, style.graphType};
    std::ranges::copy(samples, std::begin(plot.channel.cno));
    PlotCell(picture, style, plot);
}

void ClearSignalChannel(SignalRowPicture& picture, const SignalChartStyle& style)
{
    picture.texts = {};
    const SignalPlot blank{TrackerChannel{}, kWhite, style.graphType};
    for (int cell = 0; cell < kSignalCells; ++cell) {
        PlotChart(picture, style.scale, blank);
    }
    picture.plots.clear();
}

void PaintSignalView(QPainter& painter, std::span<const SignalRowPicture> rows, const SignalScale& scale,
                     const QColor& labelColour, int visibleTop, int visibleBottom)
{
    // A row's texts may reach a line height above its chart and below it.
    const auto visible = [visibleTop, visibleBottom](const SignalRow& row) {
        const int margin = row.height + 16;
        return row.bottom + margin >= visibleTop && row.top - margin <= visibleBottom;
    };
    if (rows.empty()) {
        return;
    }
    painter.setPen(labelColour);
    for (const SignalLabel& label : SignalHeadings(rows.front().row)) {
        const int x = label.alignRight
                          ? label.x + label.width - painter.fontMetrics().horizontalAdvance(label.text.c_str())
                          : label.x;
        DrawTextAt(painter, x, label.y, label.text);
    }

    for (const SignalRowPicture& picture : rows) {
        if (!visible(picture.row)) {
            continue;
        }
        painter.setPen(ToQColor(picture.textColour));
        for (int column = 0; column < kSignalTextColumns; ++column) {
            DrawTextAt(painter, SignalTextX(column), picture.row.top, picture.texts[column]);
        }
        if (!picture.chart.isNull()) {
            painter.drawImage(QPoint(kSignalGraphLeft, picture.row.top), picture.chart);
        }
    }

    // Every row has the same height, so one font serves all scale labels.
    const int smallest = SmallFontPixels();
    const QFont rowFont = painter.font();
    painter.setFont(SignalScaleFont(ScaleLabelsFor(rows.front().row, smallest)));
    painter.setPen(labelColour);
    const std::string high = FormatText("%d", {scale.high});
    const std::string low = FormatText("%d", {scale.low});
    for (const SignalRowPicture& picture : rows) {
        if (!visible(picture.row)) {
            continue;
        }
        const SignalScaleLabels labels = ScaleLabelsFor(picture.row, smallest);
        DrawTextAt(painter, labels.x, labels.highY, high);
        if (labels.showsLow) {
            DrawTextAt(painter, labels.x, labels.lowY, low);
        }
    }
    painter.setFont(rowFont);
}

QFont SignalScaleFont(const SignalScaleLabels& labels)
{
    QFont arial("Arial");
    arial.setPixelSize(std::max(labels.fontHeight, 1));
    return arial;
}

int SignalScaleRoomFor(int rowHeight, const SignalScale& scale)
{
    const SignalRow row = LayoutSignalRowAt(0, rowHeight, 0);
    const QFontMetrics metrics(SignalScaleFont(ScaleLabelsFor(row, SmallFontPixels())));
    const int widest = std::max(metrics.horizontalAdvance(QString::number(scale.high)),
                                metrics.horizontalAdvance(QString::number(scale.low)));
    return SignalScaleRoom(widest);
}

}  // namespace kestrion
