#pragma once
// A modal dialog without a toolkit: the controls it declares (with their texts, values, ranges,
// enabled and visible states), the framework's field checks with their standard texts, and the
// hooks a dialog answers the user's clicks with. The console builds widgets from the
// declaration and reports the user's actions back; tests and the headless runner act directly.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/UserInterface.h"

namespace kestrion {

enum class ControlKind {
    Group,          // a framed box; controls name it as their group
    Static,         // a text
    Check,          // a check box: value 0 or 1
    Radio,          // a radio group: items are its buttons, value the chosen one (-1 none)
    IntEdit,        // an integer edit, optionally unsigned, optionally with a range
    DecimalEdit,    // a decimal edit, optionally with a range
    TextEdit,       // one line of text, optionally limited in length
    MultiLineEdit,  // several lines of text
    DropList,       // a drop-down list: text is the chosen item, empty when none is
    ComboEdit,      // an editable drop-down: any text, the items offered
    SelectList,     // a list with any number of selected items
    Button,         // a push button besides OK and Cancel
};

struct FormControl {
    int id = 0;
    ControlKind kind = ControlKind::Static;
    std::string label;  // caption: before an edit or list, on a check box or button, above a group
    std::string unit;   // the text after an edit ("m", "sec")
    int group = 0;      // the Group control this one sits in, 0 for none
    bool enabled = true;
    bool visible = true;

    std::string text;  // edits and lists
    int value = 0;     // check boxes and radio groups

    std::vector<std::string> items;  // radio buttons and list items
    std::vector<bool> itemEnabled;   // radio buttons
    std::vector<bool> itemVisible;   // radio buttons
    std::vector<bool> selected;      // select lists

    // Field checks, applied by ReadControls whether the control is enabled or not.
    bool isUnsigned = false;
    std::optional<int64_t> low, high;  // integer edits
    std::optional<double> lowDecimal, highDecimal;
    int maxChars = 0;  // text edits and combo edits, 0 = no limit
};

class CDialogForm {
public:
    CDialogForm(IUserInterface& ui, std::string title, std::string okLabel);
    virtual ~CDialogForm() = default;
    CDialogForm(const CDialogForm&) = delete;
    CDialogForm& operator=(const CDialogForm&) = delete;

    const std::string& Title() const { return m_title; }
    const std::string& OkLabel() const { return m_okLabel; }
    const std::vector<FormControl>& Controls() const { return m_controls; }
    const FormControl& Control(int id) const;
    // The control that has the keyboard focus after opening or a refused check; 0 for the default.
    int Focus() const { return m_focus; }

    // What the user does, as the window reports it; each runs the dialog's rules.
    void Click(int id);                    // a check box toggles, a button is pressed
    void ChooseRadio(int id, int button);  // a radio button of a group
    void ChooseItem(int id, int item);     // a list item, or an item of an editable list
    void Type(int id, std::string text);   // an edit's or editable list's text
    void Select(int id, int item, bool selected);
    void RightDoubleClick() { OnRightDoubleClick(); }
    // OK (the default button): true when the dialog closes.
    bool Ok() { return OnOk(); }
    // Cancel, also the window's close box: true when the dialog closes; never while Cancel is disabled.
    bool Cancel() { return m_cancelEnabled && OnCancel(); }
    bool CancelEnabled() const { return m_cancelEnabled; }

    // The framework's field checks: every edit converts and lies within its range, in the order
    // of declaration. A failure shows its standard text, moves the focus there and gives false.
    bool ReadControls();
    // The standard text of the field check the control fails, or empty when it passes.
    static std::string FieldProblem(const FormControl& control);

    // Values of the controls.
    int Value(int id) const { return Control(id).value; }
    bool Checked(int id) const { return Control(id).value != 0; }
    const std::string& Text(int id) const { return Control(id).text; }
    // The text without the blanks around it.
    std::string TrimmedText(int id) const;
    // An edit's or list's text as a number; 0 when it does not convert (ReadControls refuses
    // such an edit).
    int64_t Int(int id) const;
    double Decimal(int id) const;

protected:
    // The rules after opening and after each action; the form has already taken the new value.
    virtual void OnClicked(int /*id*/) {}
    virtual void OnChosen(int /*id*/) {}
    virtual void OnTyped(int /*id*/) {}
    virtual void OnRightDoubleClick() {}
    virtual bool OnOk() { return ReadControls(); }
    virtual bool OnCancel() { return true; }

    // The builders return the new control, valid until the next one is added.
    FormControl& Add(FormControl control);
    FormControl& Add(int id, ControlKind kind, std::string label, int group, std::vector<std::string> items = {});
    FormControl& AddGroup(int id, std::string label, int group = 0);
    FormControl& AddStatic(int id, std::string text, int group = 0);
    FormControl& AddCheck(int id, std::string label, int group = 0);
    FormControl& AddRadio(int id, std::string label, std::vector<std::string> buttons, int group = 0);
    FormControl& AddIntEdit(int id, std::string label, std::string unit, int64_t low, int64_t high,
                            int group = 0);
    FormControl& AddUnsignedEdit(int id, std::string label, std::string unit, int group = 0);
    FormControl& AddDecimalEdit(int id, std::string label, std::string unit, double low, double high,
                                int group = 0);
    FormControl& AddTextEdit(int id, std::string label, int maxChars = 0, int group = 0);
    FormControl& AddMultiLineEdit(int id, std::string label, int group = 0);
    FormControl& AddDropList(int id, std::string label, std::vector<std::string> items, int group = 0);
    FormControl& AddComboEdit(int id, std::string label, std::vector<std::string> items, int group = 0);
    FormControl& AddSelectList(int id, std::string label, std::vector<std::string> items, int group = 0);
    FormControl& AddButton(int id, std::string label, int group = 0);

    FormControl& Edit(int id);
    void SetTitle(std::string title) { m_title = std::move(title); }
    void SetFocus(int id) { m_focus = id; }
    void SetValue(int id, int value) { Edit(id).value = value; }
    void SetChecked(int id, bool on) { Edit(id).value = on ? 1 : 0; }
    void SetText(int id, std::string text) { Edit(id).text = std::move(text); }
    void SetInt(int id, int64_t value) { Edit(id).text = std::to_string(value); }
    void SetDecimal(int id, double value);
    void Enable(int id, bool on) { Edit(id).enabled = on; }
    void Show(int id, bool on) { Edit(id).visible = on; }
    void EnableButton(int id, int button, bool on) { Edit(id).itemEnabled.at(button) = on; }
    void ShowButton(int id, int button, bool on) { Edit(id).itemVisible.at(button) = on; }
    void EnableCancel(bool on) { m_cancelEnabled = on; }
    // A message box on top of the dialog.
    BoxAnswer Message(std::string_view text, BoxIcon icon = BoxIcon::Warning,
                      BoxButtons buttons = BoxButtons::Ok);
    // Refuses the field: its message, the focus on it, false.
    bool Refuse(int id, std::string_view text, BoxIcon icon = BoxIcon::Warning);

    IUserInterface& m_ui;

private:
    std::string m_title;
    std::string m_okLabel;
    std::vector<FormControl> m_controls;
    int m_focus = 0;
    bool m_cancelEnabled = true;
};

// The framework's parse of an integer edit: blanks around an optional sign and digits, nothing
// else; nullopt when the text is not one or does not fit 64 bits.
std::optional<int64_t> ParseFormInteger(std::string_view text);
std::optional<double> ParseFormDecimal(std::string_view text);

}  // namespace kestrion
