#pragma once
// Paints the statistics picture: the figures as text at the left, and beside them the scatter
// of horizontal errors about the reference with its axes, scale and the CEP50 and CEP95
// circles.
#include <span>
#include <string>

#include <QColor>
#include <QImage>

#include "epoch/ReceiverEpoch.h"
#include "evaluation/AccuracyStatistics.h"
#include "views/ViewColours.h"

namespace kestrion {

struct StatisticsScene {
    std::string text;  // the figures, one a line
    AccuracyFigures figures;
    std::span<const EnuError> errors;
};

struct StatisticsInk {
    QColor background;
    QColor text;
};

inline constexpr Rgb kErrorColour = kTrackedBlue;

// The receiver's own 1-sigma estimates as a line after the figures, with the ones it gives
// ("Receiver's own 1-sigma:", then "lat 0.52 m, lon 0.48 m, alt 1.20 m (RMS 0.39 m)"); empty for none.
std::string OwnEstimateText(const ErrorEstimates& estimates);

// A picture of `size` logical pixels at `ratio`.
QImage RenderStatistics(QSize size, qreal ratio, const StatisticsInk& ink, const StatisticsScene& scene);

}  // namespace kestrion
