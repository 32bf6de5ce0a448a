#pragma once
// The message boxes of feeds and sources.
#include <string_view>

#include "platform/UserInterface.h"

namespace kestrion {

class IMessageBoxes {
public:
    virtual ~IMessageBoxes() = default;
    virtual BoxAnswer MessageBox(std::string_view text, BoxButtons buttons, BoxIcon icon) = 0;
    // Shown only when no guarded box is open and data has arrived since the last one.
    virtual void GuardedMessageBox(std::string_view text, BoxButtons buttons, BoxIcon icon) = 0;
};

}  // namespace kestrion
