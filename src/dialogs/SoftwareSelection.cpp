#include "dialogs/SoftwareSelection.h"

namespace kestrion {

CSoftwareSelection::CSoftwareSelection(ProtocolState& state) : m_state(state)
{
    m_state.selectionDialogOpen = true;
    if (m_state.generation == 1) {
        m_family = kFamilyOne;
        m_revision = kRevision20;
    } else {
        m_family = kFamilyTwo;
        m_revision = m_state.generation == 3 ? kRevision21 : kRevision20;
    }
    m_autoDetection = m_state.versionDetection;
}

void CSoftwareSelection::Ok()
{
    if (m_family == kFamilyOne) {
        m_state.generation = 1;
    } else {
        m_state.generation = m_revision == kRevision21 ? 3 : 2;
    }
    m_state.versionDetection = m_autoDetection;
    m_state.selectionDialogOpen = false;
}

std::string CSoftwareSelection::Cancel()
{
    if (m_state.generation <= 0) {
        return "OrvoDemo cannot detect the s/w version.  Please specify one.";
    }
    m_state.selectionDialogOpen = false;
    return {};
}

}  // namespace kestrion
