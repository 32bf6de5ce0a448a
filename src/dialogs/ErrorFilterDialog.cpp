#include "dialogs/ErrorFilterDialog.h"

namespace kestrion {

bool ErrorFilter::Shows(uint16_t code) const
{
    if (code >= 1 && code <= 18) {
        return notifications;
    }
    if (code >= 0x1000 && code <= 0x100D) {
        return warnings;
    }
    if (code >= 0x2000 && code <= 0x2003) {
        return alerts;
    }
    return false;
}

CErrorFilterDialog::CErrorFilterDialog(IUserInterface& ui, const ErrorFilter& filter)
    : CDialogForm(ui, "Select Errors to Display", "OK")
{
    AddCheck(kNotifications, "Notification      (least severe)");
    AddCheck(kWarnings, "Warnings");
    AddCheck(kAlerts, "Alert                (most severe)");
    SetChecked(kNotifications, filter.notifications);
    SetChecked(kWarnings, filter.warnings);
    SetChecked(kAlerts, filter.alerts);
}

ErrorFilter CErrorFilterDialog::Filter() const
{
    return {Checked(kNotifications), Checked(kWarnings), Checked(kAlerts)};
}

}  // namespace kestrion
