#include "platform/DecimalValue.h"

#include <limits>

namespace kestrion {

long DecimalValue(std::string_view text)
{
    size_t i = text.find_first_not_of(" \t\n\v\f\r");
    if (i == std::string_view::npos) {
        return 0;
    }
    const bool negative = text[i] == '-';
    if (text[i] == '-' || text[i] == '+') {
        ++i;
    }
    // Accumulate towards the sign so that the most negative value fits.
    constexpr long kMin = std::numeric_limits<long>::min();
    constexpr long kMax = std::numeric_limits<long>::max();
    long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const int digit = text[i] - '0';
        if (negative) {
            if (value < (kMin + digit) / 10) {
                return kMin;
            }
            value = value * 10 - digit;
        } else {
            if (value > (kMax - digit) / 10) {
                return kMax;
            }
            value = value * 10 + digit;
        }
    }
    return value;
}

}  // namespace kestrion
