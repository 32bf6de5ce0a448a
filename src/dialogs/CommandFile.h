#pragma once
// Command files ("*.cmd"): the message text of the "Send Data" dialog exactly as typed.
#include <optional>
#include <string>
#include <string_view>

#include "platform/UserInterface.h"

namespace kestrion {

class CCommandFile {
public:
    explicit CCommandFile(IUserInterface& ui) : m_ui(ui) {}

    // Asks for a command file and gives its lines joined with nothing between them; nothing
    // on Cancel or when the file cannot be read (said in a message box).
    std::optional<std::string> Load();
    // Asks for a file name and writes the text; failures are said in a message box.
    void Save(std::string_view text);

    // The path last loaded, offered as the chooser's name.
    const std::string& Name() const { return m_name; }

private:
    FileChooser Chooser(FileChooser::Mode mode) const;

    IUserInterface& m_ui;
    std::string m_name;
};

}  // namespace kestrion
