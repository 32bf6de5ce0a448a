#include "app/HeadlessUi.h"

#include <string>

#include "dialogs/SoftwareSelection.h"
#include "platform/DialogForm.h"

namespace kestrion {

void CHeadlessUi::Print(std::string_view prefix, std::string_view text)
{
    std::string line(prefix);
    line += text;
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), m_out);
    std::fflush(m_out);
}

BoxAnswer CHeadlessUi::MessageBox(std::string_view text, BoxButtons buttons, BoxIcon icon)
{
    Print("message: ", text);
    if (icon == BoxIcon::Error || icon == BoxIcon::Warning) {
        const std::string_view lines = text.substr(0, text.find_last_not_of('\n') + 1);
        const size_t lastLine = lines.find_last_of('\n');
        m_failures.emplace_back(lines.substr(lastLine == std::string_view::npos ? 0 : lastLine + 1));
    }
    switch (buttons) {
    case BoxButtons::YesNo: return BoxAnswer::Yes;
    case BoxButtons::YesNoCancel: return BoxAnswer::No;
    default: return BoxAnswer::Ok;
    }
}

int CHeadlessUi::Ask(std::string_view title, std::string_view text, const std::vector<std::string>& buttons)
{
    Print("message: ", std::string(title) + ": " + std::string(text) + " [" + (buttons.empty() ? "" : buttons[0]) + "]");
    return 0;
}

std::string CHeadlessUi::ChooseFile(const FileChooser& chooser)
{
    if (m_files.empty()) {
        Print("file: cancelled: ", chooser.title);
        return {};
    }
    std::string file = std::move(m_files.front());
    m_files.pop_front();
    Print("file: " + file + ": ", chooser.title);
    return file;
}

bool CHeadlessUi::RunDialog(CDialogForm& dialog)
{
    Print("dialog: ", dialog.Title());
    ApplyDialogSettings(dialog, m_settings, m_out);
    return dialog.Ok();
}

void CHeadlessUi::RunSoftwareSelection()
{
    if (m_protocol == nullptr || m_protocol->selectionDialogOpen) {
        return;
    }
    MessageBox("Selection of Target Receiver Software", BoxButtons::Ok, BoxIcon::None);
    CSoftwareSelection(*this, *m_protocol).Ok();
}

}  // namespace kestrion
