#pragma once
// What the engine asks of the user: message boxes, file choosers and modal dialogs.
// The console answers with Qt; tests and the headless runner answer without a display.
#include <string>
#include <string_view>
#include <vector>

namespace kestrion {

class CDialogForm;

enum class BoxButtons { Ok, YesNo, YesNoCancel };
enum class BoxIcon { None, Warning, Question, Information, Error };
enum class BoxAnswer { Ok, Yes, No, Cancel };

// A file dialog. Load mode wants an existing file; save mode asks before overwriting an
// existing one and refuses a read-only one. Both want an existing folder.
struct FileChooser {
    enum class Mode { Load, Save };
    Mode mode = Mode::Load;
    std::string title;
    // "Name (*.ext)|*.ext|All Files (*.*)|*.*||": pairs of description and patterns.
    std::string filter;
    std::string defaultName;
};

class IUserInterface {
public:
    virtual ~IUserInterface() = default;
    virtual BoxAnswer MessageBox(std::string_view text, BoxButtons buttons, BoxIcon icon) = 0;
    // A question box with its own title and buttons; the index of the button pressed.
    virtual int Ask(std::string_view title, std::string_view text, const std::vector<std::string>& buttons) = 0;
    // The full path chosen, or an empty text on Cancel.
    virtual std::string ChooseFile(const FileChooser& chooser) = 0;
    // Runs the dialog modally; true when it closed with OK.
    virtual bool RunDialog(CDialogForm& dialog) = 0;
};

}  // namespace kestrion
