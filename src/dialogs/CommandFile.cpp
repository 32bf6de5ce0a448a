#include "dialogs/CommandFile.h"

#include <cerrno>
#include <cstdio>

#include "dialogs/TextLines.h"

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
    if (file.error != 0) {
        m_ui.MessageBox(FileErrorText("Cannot read command file", path, file.error), BoxButtons::Ok,
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
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (file == nullptr) {
        m_ui.MessageBox("Cannot Open Command File!", BoxButtons::Ok, BoxIcon::Warning);
        return;
    }
    errno = 0;
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    // The buffered text reaches the disk at the close, so its failure counts too.
    if (std::fclose(file) != 0 || !written) {
        m_ui.MessageBox(FileErrorText("Cannot write command file", path, errno != 0 ? errno : EIO), BoxButtons::Ok,
                        BoxIcon::Warning);
    }
}

}  // namespace kestrion
