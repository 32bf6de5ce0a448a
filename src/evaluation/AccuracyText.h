#pragma once
// The accuracy figures as lines of text, one figure a line, each ended by a line feed; past
// the exact limit a last line says how close the binned figures are.
#include <string>

#include "evaluation/AccuracyStatistics.h"

namespace kestrion {

std::string AccuracyText(const AccuracyFigures& figures);

}  // namespace kestrion
