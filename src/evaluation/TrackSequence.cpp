#include <limits>

#include "evaluation/TrackExport.h"

namespace kestrion {

FixSequence SequenceOf(std::span<const Fix> fixes, std::span<const EnuError> errors)
{
    return [fixes, errors](const FixVisit& visit) {
        constexpr float kNone = std::numeric_limits<float>::quiet_NaN();
        for (size_t i = 0; i < fixes.size(); ++i) {
            visit(fixes[i], i < errors.size() ? errors[i] : EnuError{kNone, kNone, kNone});
        }
        return std::string();
    };
}

}  // namespace kestrion
