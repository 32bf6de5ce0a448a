#pragma once
// "Preferences": the signal graph type, the tracking orientation, the map scale and centring,
// and the random data timer delay (kept, but not shown). "Save" writes the signal view, radar
// view, map view, random data and file data settings; the caller then tells the documents to
// refresh.
#include "platform/DialogForm.h"
#include "platform/Profile.h"
#include "platform/Settings.h"

namespace kestrion {

class CPreferencesDialog : public CDialogForm {
public:
    enum ControlId { kGraphType = 1, kOrientation, kMapGroup, kScale, kCentered, kTimerDelay, kFileTimer };

    CPreferencesDialog(IUserInterface& ui, const CProfile& profile);

protected:
    bool OnOk() override;

private:
    CProfile m_profile;  // a copy: the caller's may be a temporary
    Settings m_settings;
};

}  // namespace kestrion
