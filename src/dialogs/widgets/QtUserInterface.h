#pragma once
// The user interface of the console: message boxes, questions, file dialogs and the dialog
// forms on screen. The two dialogs the engine asks for by name come from factories, so this
// class knows nothing of the engine.
#include <functional>
#include <memory>

#include "platform/DialogForm.h"
#include "platform/UserInterface.h"

class QWidget;

namespace kestrion {

class CQtUserInterface : public IUserInterface {
public:
    // A dialog on this user interface; null when none is to open.
    using DialogFactory = std::function<std::unique_ptr<CDialogForm>(IUserInterface&)>;

    CQtUserInterface(DialogFactory logFileSettings, DialogFactory softwareSelection);

    BoxAnswer MessageBox(std::string_view text, BoxButtons buttons, BoxIcon icon) override;
    int Ask(std::string_view title, std::string_view text, const std::vector<std::string>& buttons) override;
    std::string ChooseFile(const FileChooser& chooser) override;
    bool RunDialog(CDialogForm& dialog) override;
    bool RunLogFileSettings() override;
    void RunSoftwareSelection() override;

private:
    bool Run(const DialogFactory& factory);
    // The window the boxes and dialogs open over.
    static QWidget* Owner();

    DialogFactory m_logFileSettings;
    DialogFactory m_softwareSelection;
};

}  // namespace kestrion
