#include "platform/DialogForm.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace kestrion {

namespace {

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
        text.remove_prefix(1);
    }
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
        text.remove_suffix(1);
    }
    return text;
}

// "%1" and "%2" replaced by the bounds.
std::string Between(std::string_view pattern, const std::string& low, const std::string& high)
{
    std::string text(pattern);
    text.replace(text.find("%1"), 2, low);
    text.replace(text.find("%2"), 2, high);
    return text;
}

std::string DecimalText(double value)
{
    char text[40];
    std::snprintf(text, sizeof text, "%.15g", value);
    return text;
}

}  // namespace

std::optional<int64_t> ParseFormInteger(std::string_view text)
{
    const std::string copy(Trimmed(text));
    const size_t digits = copy.empty() || (copy[0] != '-' && copy[0] != '+') ? 0 : 1;
    if (copy.size() == digits ||
        copy.find_first_not_of("0123456789", digits) != std::string::npos) {
        return std::nullopt;
    }
    errno = 0;
    const long long value = std::strtoll(copy.c_str(), nullptr, 10);
    if (errno != 0) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> ParseFormDecimal(std::string_view text)
{
    text = Trimmed(text);
    const std::string copy(text);
    // Plain decimal notation only: no hexadecimal, infinity or NaN spellings.
    if (copy.empty() || copy.find_first_not_of("0123456789.+-eE") != std::string::npos) {
        return std::nullopt;
    }
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(copy.c_str(), &end);
    if (errno != 0 || end != copy.c_str() + copy.size()) {
        return std::nullopt;
    }
    return value;
}

CDialogForm::CDialogForm(IUserInterface& ui, std::string title, std::string okLabel)
    : m_ui(ui), m_title(std::move(title)), m_okLabel(std::move(okLabel))
{
}

const FormControl& CDialogForm::Control(int id) const
{
    for (const FormControl& control : m_controls) {
        if (control.id == id) {
            return control;
        }
    }
    throw std::out_of_range("no dialog control " + std::to_string(id));
}

FormControl& CDialogForm::Edit(int id) { return const_cast<FormControl&>(Control(id)); }

void CDialogForm::Click(int id)
{
    FormControl& control = Edit(id);
    if (control.kind == ControlKind::Check) {
        control.value = control.value != 0 ? 0 : 1;
    }
    OnClicked(id);
}

void CDialogForm::ChooseRadio(int id, int button)
{
    Edit(id).value = button;
    OnClicked(id);
}

void CDialogForm::ChooseItem(int id, int item)
{
    FormControl& control = Edit(id);
    control.text = control.items.at(static_cast<size_t>(item));
    OnChosen(id);
}

void CDialogForm::Type(int id, std::string text)
{
    Edit(id).text = std::move(text);
    OnTyped(id);
}

void CDialogForm::Select(int id, int item, bool selected)
{
    Edit(id).selected.at(static_cast<size_t>(item)) = selected;
}

std::string CDialogForm::FieldProblem(const FormControl& control)
{
    if (control.kind == ControlKind::IntEdit) {
        const std::optional<int64_t> value = ParseFormInteger(control.text);
        if (!value) {
            return "Please enter an integer.";
        }
        if ((control.low && *value < *control.low) || (control.high && *value > *control.high)) {
            return Between("Please enter an integer between %1 and %2.", std::to_string(control.low.value_or(0)),
                           std::to_string(control.high.value_or(0)));
        }
    } else if (control.kind == ControlKind::DecimalEdit) {
        const std::optional<double> value = ParseFormDecimal(control.text);
        if (!value) {
            return "Please enter a number.";
        }
        if ((control.lowDecimal && *value < *control.lowDecimal) ||
            (control.highDecimal && *value > *control.highDecimal)) {
            return Between("Please enter a number between %1 and %2.", DecimalText(control.lowDecimal.value_or(0)),
                           DecimalText(control.highDecimal.value_or(0)));
        }
    } else if (control.maxChars > 0 && control.text.size() > static_cast<size_t>(control.maxChars)) {
        std::string text = "Please enter no more than %1 characters.";
        text.replace(text.find("%1"), 2, std::to_string(control.maxChars));
        return text;
    }
    return {};
}

bool CDialogForm::ReadControls()
{
    for (const FormControl& control : m_controls) {
        if (const std::string problem = FieldProblem(control); !problem.empty()) {
            return Refuse(control.id, problem);
        }
    }
    return true;
}

std::string CDialogForm::TrimmedText(int id) const { return std::string(Trimmed(Text(id))); }

int64_t CDialogForm::Int(int id) const { return ParseFormInteger(Text(id)).value_or(0); }

double CDialogForm::Decimal(int id) const { return ParseFormDecimal(Text(id)).value_or(0.0); }

void CDialogForm::SetDecimal(int id, double value) { Edit(id).text = DecimalText(value); }

BoxAnswer CDialogForm::Message(std::string_view text, BoxIcon icon, BoxButtons buttons)
{
    return m_ui.MessageBox(text, buttons, icon);
}

bool CDialogForm::Refuse(int id, std::string_view text, BoxIcon icon)
{
    Message(text, icon);
    m_focus = id;
    return false;
}

FormControl& CDialogForm::Add(FormControl control)
{
    if (control.kind == ControlKind::Radio) {
        control.itemEnabled.assign(control.items.size(), true);
        control.itemVisible.assign(control.items.size(), true);
    }
    if (control.kind == ControlKind::SelectList) {
        control.selected.assign(control.items.size(), false);
    }
    m_controls.push_back(std::move(control));
    return m_controls.back();
}

FormControl& CDialogForm::Add(int id, ControlKind kind, std::string label, int group, std::vector<std::string> items)
{
    FormControl control;
    control.id = id;
    control.kind = kind;
    control.label = std::move(label);
    control.group = group;
    control.items = std::move(items);
    return Add(std::move(control));
}

FormControl& CDialogForm::AddGroup(int id, std::string label, int group)
{
    return Add(id, ControlKind::Group, std::move(label), group);
}

FormControl& CDialogForm::AddStatic(int id, std::string text, int group)
{
    FormControl& control = Add(id, ControlKind::Static, {}, group);
    control.text = std::move(text);
    return control;
}

FormControl& CDialogForm::AddCheck(int id, std::string label, int group)
{
    return Add(id, ControlKind::Check, std::move(label), group);
}

FormControl& CDialogForm::AddRadio(int id, std::string label, std::vector<std::string> buttons, int group)
{
    return Add(id, ControlKind::Radio, std::move(label), group, std::move(buttons));
}

FormControl& CDialogForm::AddIntEdit(int id, std::string label, std::string unit, int64_t low, int64_t high,
                                     int group)
{
    FormControl& control = Add(id, ControlKind::IntEdit, std::move(label), group);
    control.unit = std::move(unit);
    control.text = "0";
    control.low = low;
    control.high = high;
    return control;
}

FormControl& CDialogForm::AddUnsignedEdit(int id, std::string label, std::string unit, int group)
{
    FormControl& control = AddIntEdit(id, std::move(label), std::move(unit), 0, UINT32_MAX, group);
    control.isUnsigned = true;
    return control;
}

FormControl& CDialogForm::AddDecimalEdit(int id, std::string label, std::string unit, double low, double high,
                                         int group)
{
    FormControl& control = Add(id, ControlKind::DecimalEdit, std::move(label), group);
    control.unit = std::move(unit);
    control.text = "0";
    control.lowDecimal = low;
    control.highDecimal = high;
    return control;
}

FormControl& CDialogForm::AddTextEdit(int id, std::string label, int maxChars, int group)
{
    FormControl& control = Add(id, ControlKind::TextEdit, std::move(label), group);
    control.maxChars = maxChars;
    return control;
}

FormControl& CDialogForm::AddMultiLineEdit(int id, std::string label, int group)
{
    return Add(id, ControlKind::MultiLineEdit, std::move(label), group);
}

FormControl& CDialogForm::AddDropList(int id, std::string label, std::vector<std::string> items, int group)
{
    return Add(id, ControlKind::DropList, std::move(label), group, std::move(items));
}

FormControl& CDialogForm::AddComboEdit(int id, std::string label, std::vector<std::string> items, int group)
{
    return Add(id, ControlKind::ComboEdit, std::move(label), group, std::move(items));
}

FormControl& CDialogForm::AddSelectList(int id, std::string label, std::vector<std::string> items, int group)
{
    return Add(id, ControlKind::SelectList, std::move(label), group, std::move(items));
}

FormControl& CDialogForm::AddButton(int id, std::string label, int group)
{
    return Add(id, ControlKind::Button, std::move(label), group);
}

}  // namespace kestrion
