#pragma once
// A user played by a test: it records every message box, file chooser and dialog, answers
// boxes from a queue (OK or Yes when empty), questions from another (the first button), chooses files from a queue (Cancel when empty)
// and handles each dialog with a script (OK when none is given). The log file settings are
// declined and the software selection is only counted: neither opens.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "dialogs/LogFileSettings.h"
#include "dialogs/SoftwareSelection.h"
#include "platform/DialogForm.h"
#include "platform/UserInterface.h"

namespace kestrion::fakes {

class CScriptedUi : public IUserInterface {
public:
    BoxAnswer MessageBox(std::string_view text, BoxButtons buttons, BoxIcon icon) override
    {
        boxes.emplace_back(text);
        icons.push_back(icon);
        if (!answers.empty()) {
            const BoxAnswer answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return buttons == BoxButtons::Ok ? BoxAnswer::Ok : BoxAnswer::Yes;
    }
    int Ask(std::string_view title, std::string_view text, const std::vector<std::string>& buttons) override
    {
        boxes.push_back(std::string(title) + ": " + std::string(text));
        icons.push_back(BoxIcon::Question);
        if (choices.empty()) {
            return 0;
        }
        const int choice = choices.front();
        choices.pop_front();
        return choice < static_cast<int>(buttons.size()) ? choice : 0;
    }
    std::string ChooseFile(const FileChooser& chooser) override
    {
        choosers.push_back(chooser);
        if (files.empty()) {
            return {};
        }
        std::string file = files.front();
        files.pop_front();
        return file;
    }
    bool RunDialog(CDialogForm& dialog) override
    {
        if (dynamic_cast<CLogFileSettings*>(&dialog) != nullptr) {
            return false;
        }
        if (dynamic_cast<CSoftwareSelection*>(&dialog) != nullptr) {
            ++softwareSelections;
            return false;
        }
        dialogs.push_back(dialog.Title());
        return onDialog ? onDialog(dialog) : dialog.Ok();
    }

    std::vector<std::string> boxes;
    std::vector<BoxIcon> icons;
    std::deque<BoxAnswer> answers;
    std::deque<int> choices;  // button indexes for Ask; the first button when empty
    std::deque<std::string> files;
    std::vector<FileChooser> choosers;
    std::vector<std::string> dialogs;  // titles, in the order they opened
    std::function<bool(CDialogForm&)> onDialog;
    int softwareSelections = 0;
};

}  // namespace kestrion::fakes
