#pragma once
// The widgets for a dialog form's declared controls, laid out in rows: a caption before each
// edit or list and its unit after, group boxes with rows of their own, boxes side by side
// when declared one after another, push buttons beside the edit they follow, and a plain
// radio group right after another indented below it, as a question of its own.
#include <map>
#include <vector>

#include "platform/DialogForm.h"

class QButtonGroup;
class QFormLayout;
class QHBoxLayout;
class QLabel;
class QWidget;

namespace kestrion {

struct ControlWidgets {
    QLabel* label = nullptr;          // the caption before a field or above a list
    QWidget* field = nullptr;         // the control itself; for a radio group, its box
    QLabel* unit = nullptr;           // the text after an edit
    QButtonGroup* buttons = nullptr;  // a radio group's buttons, ids by position
};

class CFormWidgets {
public:
    // Builds the widgets of the controls into page, which gets a layout of its own.
    CFormWidgets(const std::vector<FormControl>& controls, QWidget& page);

    // The widgets of a declared control; null for an id the form does not declare.
    const ControlWidgets* Of(int id) const
    {
        const auto widgets = m_widgets.find(id);
        return widgets != m_widgets.end() ? &widgets->second : nullptr;
    }

private:
    // Where the next control of a group goes, and which row it may join.
    struct Rows {
        enum class Join { None, Field, Buttons, Groups, RadioBoxes, PlainRadios };
        QFormLayout* form = nullptr;
        QHBoxLayout* row = nullptr;
        Join join = Join::None;
    };

    ControlWidgets Build(const FormControl& control, Rows& rows);
    ControlWidgets AddGroup(const FormControl& control, Rows& rows);
    ControlWidgets AddRadio(const FormControl& control, Rows& rows);
    // A field on one row: the caption, the field, the unit.
    ControlWidgets AddField(const FormControl& control, QWidget* field, Rows& rows);
    // A tall field with its caption above.
    ControlWidgets AddTall(const FormControl& control, QWidget* field, Rows& rows);
    void AddWide(QWidget* widget, Rows& rows);
    void AddBox(QWidget* box, Rows::Join join, Rows& rows);
    void AddButton(QWidget* button, Rows& rows);
    Rows& RowsOf(int group);

    std::map<int, ControlWidgets> m_widgets;
    std::map<int, Rows> m_rows;  // by group id, 0 for the page
};

}  // namespace kestrion
