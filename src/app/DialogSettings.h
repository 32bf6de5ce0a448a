#pragma once
// Values the headless runner types into dialogs before pressing their default button:
// "LABEL=VALUE" sets the control of that label wherever it appears (an edit takes the text,
// a list the item, a check box 1 or 0, a radio group the button of that label), and a bare
// "LABEL" chooses the radio button of that label. Labels match without their mnemonic "&",
// trailing ":" and blanks, ignoring case.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace kestrion {

class CDialogForm;

struct DialogSetting {
    std::string label;
    std::string value;
    bool bare = false;  // a radio button's label alone
};

DialogSetting ParseDialogSetting(std::string_view text);

// Why the setting cannot go into a control of the dialog it names ("\"Serial Port\" baud rate:
// not one of 4800, 9600, ..." or the control's field check text); empty when it can, or when
// it names none, which `named` then tells by staying as it was.
std::string SettingProblem(const CDialogForm& dialog, const DialogSetting& setting, bool& named);

// Applies every setting that names a control of the dialog, printing "set: <label>=<value>"
// for each one applied.
void ApplyDialogSettings(CDialogForm& dialog, const std::vector<DialogSetting>& settings, std::FILE* out);

}  // namespace kestrion
