#include "dialogs/widgets/FormWidgets.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

#include "dialogs/widgets/QtText.h"

namespace kestrion {
namespace {

QLabel* PlainLabel(const std::string& text)
{
    auto* label = new QLabel(ToQt(text));
    label->setTextFormat(Qt::PlainText);
    return label;
}

QFormLayout* FormLayout(QWidget* owner)
{
    auto* form = new QFormLayout(owner);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    return form;
}

QComboBox* ComboBox(bool editable)
{
    auto* combo = new QComboBox;
    combo->setEditable(editable);
    if (editable) {
        // The typed text is the value: no items added behind the user's back, no completion.
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setCompleter(nullptr);
    }
    return combo;
}

}  // namespace

CFormWidgets::CFormWidgets(const std::vector<FormControl>& controls, QWidget& page)
{
    QFormLayout* form = FormLayout(&page);
    form->setContentsMargins(0, 0, 0, 0);
    m_rows[0].form = form;
    for (const FormControl& control : controls) {
        m_widgets[control.id] = Build(control, RowsOf(control.group));
    }
}

CFormWidgets::Rows& CFormWidgets::RowsOf(int group)
{
    const auto rows = m_rows.find(group);
    return rows != m_rows.end() ? rows->second : m_rows.at(0);
}

ControlWidgets CFormWidgets::Build(const FormControl& control, Rows& rows)
{
    switch (control.kind) {
    case ControlKind::Group:
        return AddGroup(control, rows);
    case ControlKind::Radio:
        return AddRadio(control, rows);
    case ControlKind::Static: {
        QLabel* text = PlainLabel(control.text);
        AddWide(text, rows);
        return {.field = text};
    }
    case ControlKind::Check: {
        auto* check = new QCheckBox(ToQt(control.label));
        AddWide(check, rows);
        return {.field = check};
    }
    case ControlKind::IntEdit:
    case ControlKind::DecimalEdit:
    case ControlKind::TextEdit:
        return AddField(control, new QLineEdit, rows);
    case ControlKind::DropList:
    case ControlKind::ComboEdit:
        return AddField(control, ComboBox(control.kind == ControlKind::ComboEdit), rows);
    case ControlKind::MultiLineEdit: {
        auto* edit = new QPlainTextEdit;
        // Tab goes on to the next control, as in every other field: no tab character is typed.
        edit->setTabChangesFocus(true);
        return AddTall(control, edit, rows);
    }
    case ControlKind::SelectList: {
        auto* list = new QListWidget;
        list->setSelectionMode(QAbstractItemView::MultiSelection);
        return AddTall(control, list, rows);
    }
    case ControlKind::Button: {
        auto* button = new QPushButton(ToQt(control.label));
        AddButton(button, rows);
        return {.field = button};
    }
    }
    return {};
}

ControlWidgets CFormWidgets::AddGroup(const FormControl& control, Rows& rows)
{
    auto* box = new QGroupBox(ToQt(control.label));
    m_rows[control.id].form = FormLayout(box);
    AddBox(box, Rows::Join::Groups, rows);
    return {.field = box};
}

ControlWidgets CFormWidgets::AddRadio(const FormControl& control, Rows& rows)
{
    // Captioned groups are framed boxes; the others are plain columns of buttons.
    const bool framed = !control.label.empty();
    QWidget* box = framed ? new QGroupBox(ToQt(control.label)) : new QWidget;
    auto* column = new QVBoxLayout(box);
    if (!framed) {
        // Indented by a button's mark after another plain group, so that they read as two.
        const bool second = rows.join == Rows::Join::PlainRadios;
        const QStyle* style = box->style();
        const int indent = style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                           style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing);
        column->setContentsMargins(second ? indent : 0, 0, 0, 0);
    }
    auto* buttons = new QButtonGroup(box);
    for (size_t button = 0; button < control.items.size(); ++button) {
        auto* radio = new QRadioButton(ToQt(control.items[button]));
        column->addWidget(radio);
        buttons->addButton(radio, static_cast<int>(button));
    }
    if (framed) {
        AddBox(box, Rows::Join::RadioBoxes, rows);
    } else {
        AddWide(box, rows);
        rows.join = Rows::Join::PlainRadios;
    }
    return {.field = box, .buttons = buttons};
}

ControlWidgets CFormWidgets::AddField(const FormControl& control, QWidget* field, Rows& rows)
{
    ControlWidgets widgets{.field = field};
    auto* row = new QHBoxLayout;
    row->addWidget(field, 1);
    if (!control.unit.empty()) {
        widgets.unit = PlainLabel(control.unit);
        row->addWidget(widgets.unit);
    }
    if (control.label.empty()) {
        rows.form->addRow(row);
    } else {
        widgets.label = new QLabel(ToQt(control.label));
        widgets.label->setBuddy(field);
        rows.form->addRow(widgets.label, row);
    }
    rows.row = row;
    rows.join = Rows::Join::Field;
    return widgets;
}

ControlWidgets CFormWidgets::AddTall(const FormControl& control, QWidget* field, Rows& rows)
{
    ControlWidgets widgets{.field = field};
    if (!control.label.empty()) {
        widgets.label = new QLabel(ToQt(control.label));
        widgets.label->setBuddy(field);
        rows.form->addRow(widgets.label);
    }
    AddWide(field, rows);
    return widgets;
}

void CFormWidgets::AddWide(QWidget* widget, Rows& rows)
{
    rows.form->addRow(widget);
    rows.row = nullptr;
    rows.join = Rows::Join::None;
}

void CFormWidgets::AddBox(QWidget* box, Rows::Join join, Rows& rows)
{
    if (rows.join != join) {
        rows.row = new QHBoxLayout;
        rows.form->addRow(rows.row);
        rows.join = join;
    }
    rows.row->addWidget(box);
}

void CFormWidgets::AddButton(QWidget* button, Rows& rows)
{
    switch (rows.join) {
    case Rows::Join::Field:
        rows.row->addWidget(button);
        break;
    case Rows::Join::Buttons:
        // Before the stretch that keeps the buttons at the left.
        rows.row->insertWidget(rows.row->count() - 1, button);
        break;
    default:
        rows.row = new QHBoxLayout;
        rows.row->addWidget(button);
        rows.row->addStretch();
        rows.form->addRow(rows.row);
        rows.join = Rows::Join::Buttons;
        break;
    }
}

}  // namespace kestrion
