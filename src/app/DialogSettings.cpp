#include "app/DialogSettings.h"

#include <algorithm>
#include <cctype>

#include "platform/DialogForm.h"

namespace kestrion {

namespace {

std::string Plain(std::string_view label)
{
    std::string plain;
    for (char c : label) {
        if (c != '&') {
            plain += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
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

}  // namespace

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
            const bool named = setting.bare ? control.kind == ControlKind::Radio &&
                                                  IndexOf(control.items, setting.label) >= 0
                                            : Plain(control.label) == Plain(setting.label);
            if (named && Apply(dialog, control, setting.value)) {
                std::fprintf(out, "set: %s=%s\n", setting.label.c_str(), setting.value.c_str());
            }
        }
    }
}

}  // namespace kestrion
