#include "app/DialogSettings.h"

#include <algorithm>
#include <cctype>

#include "platform/DialogForm.h"

namespace kestrion {

namespace {

// The label without its "&", trailing ":" and blanks: lowered for matching, else as shown.
std::string Plain(std::string_view label, bool lowered = true)
{
    std::string plain;
    for (char c : label) {
        if (c != '&') {
            plain += lowered ? static_cast<char>(std::tolower(static_cast<unsigned char>(c))) : c;
        }
    }
    const auto keep = [](char c) { return c != ':' && !std::isspace(static_cast<unsigned char>(c)); };
    plain.erase(plain.begin(), std::find_if(plain.begin(), plain.end(), keep));
    plain.erase(std::find_if(plain.rbegin(), plain.rend(), keep).base(), plain.end());
    return plain;
}

int IndexOf(const std::vector<std::string>& items, std::string_view wanted)
{
    const std::string plain = Plain(wanted);
    for (size_t i = 0; i < items.size(); ++i) {
        if (Plain(items[i]) == plain) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool Apply(CDialogForm& dialog, const FormControl& control, const std::string& value)
{
    switch (control.kind) {
    case ControlKind::Check:
        if (dialog.Checked(control.id) != (value == "1")) {
            dialog.Click(control.id);
        }
        return true;
    case ControlKind::Radio: {
        const int button = IndexOf(control.items, value);
        if (button >= 0) {
            dialog.ChooseRadio(control.id, button);
        }
        return button >= 0;
    }
    case ControlKind::DropList: {
        const int item = IndexOf(control.items, value);
        if (item >= 0) {
            dialog.ChooseItem(control.id, item);
        }
        return item >= 0;
    }
    case ControlKind::ComboEdit:
        if (const int item = IndexOf(control.items, value); item >= 0) {
            dialog.ChooseItem(control.id, item);
        } else {
            dialog.Type(control.id, value);
        }
        return true;
    case ControlKind::IntEdit:
    case ControlKind::DecimalEdit:
    case ControlKind::TextEdit:
    case ControlKind::MultiLineEdit: dialog.Type(control.id, value); return true;
    default: return false;
    }
}

bool Names(const FormControl& control, const DialogSetting& setting)
{
    return setting.bare ? control.kind == ControlKind::Radio && IndexOf(control.items, setting.label) >= 0
                        : Plain(control.label) == Plain(setting.label);
}

std::string ItemList(const std::vector<std::string>& items)
{
    std::string list;
    for (const std::string& item : items) {
        list += (list.empty() ? "" : ", ") + Plain(item, false);
    }
    return list;
}

// Why the value cannot go into the control, or empty.
std::string ValueProblem(const FormControl& control, const std::string& value)
{
    switch (control.kind) {
    case ControlKind::Check: return value == "0" || value == "1" ? "" : "a check box takes 1 or 0";
    case ControlKind::Radio:
    case ControlKind::DropList:
        return IndexOf(control.items, value) >= 0 ? "" : "not one of " + ItemList(control.items);
    case ControlKind::ComboEdit:
    case ControlKind::IntEdit:
    case ControlKind::DecimalEdit:
    case ControlKind::TextEdit:
    case ControlKind::MultiLineEdit: {
        FormControl typed = control;
        typed.text = value;
        return IndexOf(control.items, value) >= 0 ? "" : CDialogForm::FieldProblem(typed);
    }
    default: return "this control takes no value";
    }
}

}  // namespace

std::string SettingProblem(const CDialogForm& dialog, const DialogSetting& setting, bool& named)
{
    for (const FormControl& control : dialog.Controls()) {
        if (!Names(control, setting)) {
            continue;
        }
        named = true;
        if (const std::string problem = ValueProblem(control, setting.value); !problem.empty()) {
            return "\"" + dialog.Title() + "\" " + Plain(control.label, false) + ": " + problem;
        }
    }
    return {};
}

DialogSetting ParseDialogSetting(std::string_view text)
{
    const size_t equals = text.find('=');
    if (equals == std::string_view::npos) {
        return {std::string(text), std::string(text), true};
    }
    return {std::string(text.substr(0, equals)), std::string(text.substr(equals + 1)), false};
}

void ApplyDialogSettings(CDialogForm& dialog, const std::vector<DialogSetting>& settings, std::FILE* out)
{
    for (const DialogSetting& setting : settings) {
        // The controls are looked up afresh: a setting's rules may change the next one's.
        for (size_t i = 0; i < dialog.Controls().size(); ++i) {
            const FormControl& control = dialog.Controls()[i];
            if (Names(control, setting) && Apply(dialog, control, setting.value)) {
                std::fprintf(out, "set: %s=%s\n", setting.label.c_str(), setting.value.c_str());
            }
        }
    }
}

}  // namespace kestrion
