#include "evaluation/AccuracyText.h"

#include <cmath>

#include "protocol/TextFormatter.h"

namespace kestrion {
namespace {

// A value that rounds to zero at three (two) decimals shows as 0.000 (0.00), never as -0.000.
double Millimetres(double metres) { return std::fabs(metres) < 0.0005 ? 0.0 : metres; }
double Centimetres(double metres) { return std::fabs(metres) < 0.005 ? 0.0 : metres; }

}  // namespace

std::string AccuracyText(const AccuracyFigures& f)
{
    std::string text = "Reference: " + std::string(ReferenceKindText(f.kind));
    if (f.kind != ReferenceKind::Truth && f.count > 0) {
        text += FormatText(" (%.8f, %.8f, %.2f m)", {f.reference.latitude, f.reference.longitude, Centimetres(f.reference.height)});
    }
    text += FormatText("\nFixes: %d", {static_cast<int64_t>(f.count)});
    if (f.kind == ReferenceKind::Truth) {
        text += FormatText(" (without truth: %d)", {static_cast<int64_t>(f.unmatched)});
    }
    text += FormatText("\nMean E/N/U: %.3f / %.3f / %.3f m\n", {Millimetres(f.east.mean), Millimetres(f.north.mean), Millimetres(f.up.mean)});
    text += FormatText("Std dev E/N/U: %.3f / %.3f / %.3f m\n", {f.east.deviation, f.north.deviation, f.up.deviation});
    text += FormatText("CEP50: %.3f m\nCEP95: %.3f m\n2DRMS: %.3f m\n", {f.cep50, f.cep95, f.twoDrms});
    text += FormatText("Horizontal 95 %%: %.3f m\nVertical 95 %%: %.3f m\n", {f.horizontal95, f.vertical95});
    text += FormatText("Max horizontal: %.3f m\nMax vertical: %.3f m\n", {f.maxHorizontal, f.maxVertical});
    if (f.binnedPast > 0) {
        text += FormatText("Percentiles and maxima binned past %d fixes: within 0.4 %%",
                           {static_cast<int64_t>(f.binnedPast)});
        if (f.kind == ReferenceKind::RunningMean) {
            text += FormatText(" and %.3f m, the mean's move since", {f.meanMoved});
        }
        text += "\n";
    }
    return text;
}

}  // namespace kestrion
