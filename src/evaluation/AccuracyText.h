#pragma once
// The accuracy figures as lines of text, one figure a line, each ended by a line feed.
#include <string>

#include "evaluation/AccuracyStatistics.h"

namespace kestrion {

std::string AccuracyText(const AccuracyFigures& figures);

}  // namespace kestrion
