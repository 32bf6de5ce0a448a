#pragma once
// The user interface of the console: message boxes, questions, file dialogs and the dialog
// forms on screen.
#include "platform/DialogForm.h"
#include "platform/UserInterface.h"

class QWidget;

namespace kestrion {

class CQtUserInterface : public IUserInterface {
public:
    BoxAnswer MessageBox(std::string_view text, BoxButtons buttons, BoxIcon icon) override;
    int Ask(std::string_view title, std::string_view text, const std::vector<std::string>& buttons) override;
    std::string ChooseFile(const FileChooser& chooser) override;
    bool RunDialog(CDialogForm& dialog) override;

private:
    // The window the boxes and dialogs open over.
    static QWidget* Owner();
};

}  // namespace kestrion
