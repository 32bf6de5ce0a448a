#include "cli/HeadlessUi.h"

#include <string>

#include "dialogs/SoftwareSelection.h"

namespace kestrion::cli {

BoxAnswer CHeadlessUi::MessageBox(std::string_view text, BoxButtons buttons, BoxIcon /*icon*/)
{
    std::string line = "message: ";
    line += text;
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), m_out);
    std::fflush(m_out);
    switch (buttons) {
    case BoxButtons::YesNo: return BoxAnswer::Yes;
    case BoxButtons::YesNoCancel: return BoxAnswer::No;
    default: return BoxAnswer::Ok;
    }
}

void CHeadlessUi::RunSoftwareSelection()
{
    if (m_protocol == nullptr || m_protocol->selectionDialogOpen) {
        return;
    }
    MessageBox("Selection of Target Receiver Software", BoxButtons::Ok, BoxIcon::None);
    CSoftwareSelection(*m_protocol).Ok();
}

}  // namespace kestrion::cli
