#include "gui/ToolbarImages.h"

#include <array>

namespace kestrion {

QIcon ToolbarImage(int image)
{
    static constexpr std::array<const char*, kToolbarImages> kPictures = {
        ":/icons/data-source.svg",      ":/icons/signal-level.svg",  ":/icons/tracking.svg",
        ":/icons/map.svg",              ":/icons/open-data-source.svg", ":/icons/pause-display.svg",
        ":/icons/open-log-file.svg",    ":/icons/initialize.svg",    ":/icons/pause-blink.svg",
        ":/icons/close-data-source.svg",
    };
    if (image < 0 || image >= kToolbarImages) {
        return {};
    }
    return QIcon(kPictures[static_cast<size_t>(image)]);
}

QIcon ProgramIcon()
{
    return QIcon(":/icons/kestrion-demo.svg");
}

}  // namespace kestrion
