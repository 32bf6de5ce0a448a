#include "dialogs/CommandFile.h"

#include <cerrno>
#include <cstdio>

#include "dialogs/TextLines.h"
#include "platform/FileText.h"

namespace kestrion {

FileChooser CCommandFile::Chooser(FileChooser::Mode mode) const
{
    return {mode, "Specify a Name for the Command File", "Command Files (*.cmd)|*.cmd|All Files (*.*)|*.*||",
            m_name};
}

std::optional<std::string> CCommandFile::Load()
{
    const std::string path = m_ui.ChooseFile(Chooser(FileChooser::Mode::Load));
    if (path.empty()) {
        return std::nullopt;
    }
    const TextLines file = ReadTextLines(path);
    if (!file.problem.empty()) {
        m_ui.MessageBox(FileProblemText("Cannot read command file", path, file.problem), BoxButtons::Ok,
                        BoxIcon::Warning);
        return std::nullopt;
    }
    m_name = path;
    std::string text;
    for (const std::string& line : file.lines) {
        text += line;
    }
    return text;
}

void CCommandFile::Save(std::string_view text)
{
    if (text.empty()) {
        m_ui.MessageBox("Not Saving Empty Command", BoxButtons::Ok, BoxIcon::Warning);
        return;
    }
    const std::string path = m_ui.ChooseFile(Chooser(FileChooser::Mode::Save));
    if (path.empty()) {
        return;
    }
    const std::optional<ReplaceFailure> failure = ReplaceFileText(path, text);
    if (failure && failure->step == ReplaceFailure::Step::Create) {
        m_ui.MessageBox("Cannot Open Command File!", BoxButtons::Ok, BoxIcon::Warning);
    } else if (failure) {
        m_ui.MessageBox(FileErrorText("Cannot write command file", path, failure->error), BoxButtons::Ok,
                        BoxIcon::Warning);
    }
}

}  // namespace kestrion
