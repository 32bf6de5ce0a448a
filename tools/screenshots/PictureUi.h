#pragma once
// The user of a picture run: every box is answered with OK or Yes and every question with its
// first button, files come from a list (Cancel once it is empty), and each dialog is confirmed,
// after the script when one is set.
#include <deque>
#include <functional>
#include <string>

#include "platform/DialogForm.h"
#include "platform/UserInterface.h"

namespace kestrion {

class CPictureUi : public IUserInterface {
public:
    BoxAnswer MessageBox(std::string_view text, BoxButtons buttons, BoxIcon icon) override;
    int Ask(std::string_view title, std::string_view text, const std::vector<std::string>& buttons) override;
    std::string ChooseFile(const FileChooser& chooser) override;
    bool RunDialog(CDialogForm& dialog) override;

    std::deque<std::string> files;
    std::function<bool(CDialogForm&)> dialogScript;
};

}  // namespace kestrion
