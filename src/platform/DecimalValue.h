#pragma once
#include <string_view>

namespace kestrion {

// A plain decimal-to-long conversion: leading blanks and sign, digits up to the first other
// character; empty or non-numeric text gives 0, values beyond the range of long saturate.
long DecimalValue(std::string_view text);

}  // namespace kestrion
