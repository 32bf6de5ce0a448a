#pragma once
// What the engine asks of the user: message boxes (and, later, file choosers and dialogs).
// The console answers with Qt; tests and the headless runner answer without a display.
#include <string_view>

namespace kestrion {

enum class BoxButtons { Ok, YesNo, YesNoCancel };
enum class BoxIcon { None, Warning, Question, Information, Error };
enum class BoxAnswer { Ok, Yes, No, Cancel };

class IUserInterface {
public:
    virtual ~IUserInterface() = default;
    virtual BoxAnswer MessageBox(std::string_view text, BoxButtons buttons, BoxIcon icon) = 0;
    // The "Log File Settings" dialog; true when the user confirmed it.
    virtual bool RunLogFileSettings() = 0;
    // The "Selection of Target Receiver Software" dialog, modal; it sets the receiver software
    // generation and the version detection flag.
    virtual void RunSoftwareSelection() = 0;
};

}  // namespace kestrion
