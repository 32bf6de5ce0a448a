#include "dialogs/SoftwareSelection.h"

namespace kestrion {

CSoftwareSelection::CSoftwareSelection(IUserInterface& ui, ProtocolState& state)
    : CDialogForm(ui, "Selection of Target Receiver Software", "OK"), m_state(state)
{
    m_state.selectionDialogOpen = true;
    const bool one = m_state.generation == 1;
    AddGroup(kVersionGroup, "Software Version");
    AddRadio(kFamily, "", {"&Kestrion I", "K&estrion II"}, kVersionGroup).value = one ? kFamilyOne : kFamilyTwo;
    AddRadio(kRevision, "", {"2.&0.x", "2.&1.x or higher"}, kVersionGroup).value =
        m_state.generation == 3 ? kRevision21 : kRevision20;
    AddCheck(kAutoDetection, "&Auto-Detection").value = m_state.versionDetection ? 1 : 0;
    EnableRevision();
}

void CSoftwareSelection::OnClicked(int id)
{
    if (id == kFamily) {
        EnableRevision();
    }
}

bool CSoftwareSelection::OnOk()
{
    if (Value(kFamily) == kFamilyOne) {
        m_state.generation = 1;
    } else {
        m_state.generation = Value(kRevision) == kRevision21 ? 3 : 2;
    }
    m_state.versionDetection = Checked(kAutoDetection);
    m_state.selectionDialogOpen = false;
    return true;
}

bool CSoftwareSelection::OnCancel()
{
    if (m_state.generation <= 0) {
        Message("OrvoDemo cannot detect the s/w version.  Please specify one.");
        return false;
    }
    m_state.selectionDialogOpen = false;
    return true;
}

}  // namespace kestrion
