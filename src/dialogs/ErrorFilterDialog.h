#pragma once
// "Select Errors to Display": which severities of receiver errors (MID_Error) the error view
// shows.
#include <cstdint>

#include "platform/DialogForm.h"

namespace kestrion {

// The severities shown, all of them at first.
struct ErrorFilter {
    bool notifications = true;  // codes 1 to 18
    bool warnings = true;       // codes 0x1000 to 0x100D
    bool alerts = true;         // codes 0x2000 to 0x2003

    // Codes outside the three classes are never shown.
    bool Shows(uint16_t code) const;
};

class CErrorFilterDialog : public CDialogForm {
public:
    enum ControlId { kNotifications = 1, kWarnings, kAlerts };

    CErrorFilterDialog(IUserInterface& ui, const ErrorFilter& filter);

    // The boxes' values, to take after OK.
    ErrorFilter Filter() const;
};

}  // namespace kestrion
