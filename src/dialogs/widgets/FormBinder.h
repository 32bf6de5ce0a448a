#pragma once
// Binds a dialog form to its widgets both ways: each user action goes to the form through its
// public actions, then every widget shows the form's state again (texts, values, items,
// selections, enabled and visible).
#include <QMetaObject>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/widgets/FormWidgets.h"

namespace kestrion {

class CFormBinder {
public:
    // afterAction runs after each action has gone to the form; it refreshes what shows the form.
    CFormBinder(CDialogForm& form, const CFormWidgets& widgets, std::function<void()> afterAction);
    ~CFormBinder();
    CFormBinder(const CFormBinder&) = delete;
    CFormBinder& operator=(const CFormBinder&) = delete;

    // Every control's widgets from the form.
    void Refresh();
    // Moves the keyboard focus to the control, its text selected; false when it has no widget.
    bool Focus(int id);

private:
    // What the widgets show, so only changes from the form are written back to them.
    struct Shown {
        std::optional<std::string> text;  // none until written
        std::vector<std::string> items;
    };

    void Connect(const FormControl& control);
    void Act(const std::function<void()>& action);
    void RefreshControl(const FormControl& control, const ControlWidgets& widgets);
    void RefreshRadio(const FormControl& control, const ControlWidgets& widgets);
    void RefreshText(const FormControl& control, const ControlWidgets& widgets);
    void RefreshItems(const FormControl& control, const ControlWidgets& widgets);
    void TakeSelection(int id);

    CDialogForm& m_form;
    const CFormWidgets& m_widgets;
    std::function<void()> m_afterAction;
    std::map<int, Shown> m_shown;
    std::vector<QMetaObject::Connection> m_connections;
};

}  // namespace kestrion
