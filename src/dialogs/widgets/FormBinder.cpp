#include "dialogs/widgets/FormBinder.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>

#include "dialogs/widgets/QtText.h"

namespace kestrion {
namespace {

void SetShown(QWidget* widget, bool enabled, bool visible)
{
    if (widget == nullptr) {
        return;
    }
    widget->setEnabled(enabled);
    if (widget->isHidden() == visible) {
        widget->setVisible(visible);
    }
}

void SetLabel(QLabel* label, const std::string& text)
{
    if (label != nullptr && label->text() != ToQt(text)) {
        label->setText(ToQt(text));
    }
}

// A per-item flag; items the form added without one take the fallback.
bool Flag(const std::vector<bool>& flags, size_t item, bool fallback)
{
    return item < flags.size() ? flags[item] : fallback;
}

void SetCaption(QAbstractButton* button, const std::string& text)
{
    if (button->text() != ToQt(text)) {
        button->setText(ToQt(text));
    }
}

void SetTitle(QGroupBox* box, const std::string& text)
{
    if (box != nullptr && box->title() != ToQt(text)) {
        box->setTitle(ToQt(text));
    }
}

}  // namespace

CFormBinder::CFormBinder(CDialogForm& form, const CFormWidgets& widgets, std::function<void()> afterAction)
    : m_form(form), m_widgets(widgets), m_afterAction(std::move(afterAction))
{
    for (const FormControl& control : m_form.Controls()) {
        Connect(control);
    }
}

CFormBinder::~CFormBinder()
{
    // The widgets outlive the binder while their owner is torn down.
    for (const QMetaObject::Connection& connection : m_connections) {
        QObject::disconnect(connection);
    }
}

void CFormBinder::Act(const std::function<void()>& action)
{
    action();
    if (m_afterAction) {
        m_afterAction();
    }
}

void CFormBinder::Connect(const FormControl& control)
{
    const int id = control.id;
    const ControlWidgets& widgets = *m_widgets.Of(id);
    QWidget* field = widgets.field;
    const auto typed = [this, id](const QString& text) {
        Act([&] {
            m_shown[id].text = FromQt(text);
            m_form.Type(id, FromQt(text));
        });
    };
    const auto clicked = [this, id] { Act([&] { m_form.Click(id); }); };
    switch (control.kind) {
    case ControlKind::Check:
    case ControlKind::Button:
        m_connections.push_back(QObject::connect(static_cast<QAbstractButton*>(field), &QAbstractButton::clicked,
                                                 field, clicked));
        break;
    case ControlKind::Radio:
        m_connections.push_back(QObject::connect(widgets.buttons, &QButtonGroup::idClicked, field,
                                                 [this, id](int button) {
                                                     Act([&] { m_form.ChooseRadio(id, button); });
                                                 }));
        break;
    case ControlKind::IntEdit:
    case ControlKind::DecimalEdit:
    case ControlKind::TextEdit:
        m_connections.push_back(
            QObject::connect(static_cast<QLineEdit*>(field), &QLineEdit::textEdited, field, typed));
        break;
    case ControlKind::MultiLineEdit: {
        auto* edit = static_cast<QPlainTextEdit*>(field);
        m_connections.push_back(QObject::connect(edit, &QPlainTextEdit::textChanged, edit,
                                                 [edit, typed] { typed(edit->toPlainText()); }));
        break;
    }
    case ControlKind::ComboEdit:
        m_connections.push_back(QObject::connect(static_cast<QComboBox*>(field)->lineEdit(), &QLineEdit::textEdited,
                                                 field, typed));
        [[fallthrough]];
    case ControlKind::DropList: {
        auto* combo = static_cast<QComboBox*>(field);
        m_connections.push_back(QObject::connect(combo, &QComboBox::activated, combo, [this, id, combo](int item) {
            Act([&] {
                m_shown[id].text = FromQt(combo->itemText(item));
                m_form.ChooseItem(id, item);
            });
        }));
        break;
    }
    case ControlKind::SelectList:
        m_connections.push_back(QObject::connect(static_cast<QListWidget*>(field), &QListWidget::itemSelectionChanged,
                                                 field, [this, id] { Act([&] { TakeSelection(id); }); }));
        break;
    case ControlKind::Group:
    case ControlKind::Static:
        break;
    }
}

void CFormBinder::TakeSelection(int id)
{
    const auto* list = static_cast<const QListWidget*>(m_widgets.Of(id)->field);
    const std::vector<bool>& selected = m_form.Control(id).selected;
    for (int row = 0; row < list->count() && row < static_cast<int>(selected.size()); ++row) {
        const bool now = list->item(row)->isSelected();
        if (now != selected[static_cast<size_t>(row)]) {
            m_form.Select(id, row, now);
        }
    }
}

void CFormBinder::Refresh()
{
    for (const FormControl& control : m_form.Controls()) {
        const ControlWidgets& widgets = *m_widgets.Of(control.id);
        const QSignalBlocker blocker(widgets.field);
        RefreshControl(control, widgets);
    }
}

void CFormBinder::RefreshControl(const FormControl& control, const ControlWidgets& widgets)
{
    for (QWidget* widget : {static_cast<QWidget*>(widgets.label), widgets.field, static_cast<QWidget*>(widgets.unit)}) {
        SetShown(widget, control.enabled, control.visible);
    }
    SetLabel(widgets.label, control.label);
    SetLabel(widgets.unit, control.unit);
    QWidget* field = widgets.field;
    switch (control.kind) {
    case ControlKind::Group:
        SetTitle(static_cast<QGroupBox*>(field), control.label);
        break;
    case ControlKind::Static:
        SetLabel(static_cast<QLabel*>(field), control.text);
        break;
    case ControlKind::Check:
        SetCaption(static_cast<QCheckBox*>(field), control.label);
        static_cast<QCheckBox*>(field)->setChecked(control.value != 0);
        break;
    case ControlKind::Button:
        SetCaption(static_cast<QPushButton*>(field), control.label);
        break;
    case ControlKind::Radio:
        RefreshRadio(control, widgets);
        break;
    case ControlKind::IntEdit:
    case ControlKind::DecimalEdit:
    case ControlKind::TextEdit:
    case ControlKind::MultiLineEdit:
        RefreshText(control, widgets);
        break;
    case ControlKind::DropList:
    case ControlKind::ComboEdit:
    case ControlKind::SelectList:
        RefreshItems(control, widgets);
        break;
    }
}

void CFormBinder::RefreshRadio(const FormControl& control, const ControlWidgets& widgets)
{
    SetTitle(qobject_cast<QGroupBox*>(widgets.field), control.label);
    const QList<QAbstractButton*> buttons = widgets.buttons->buttons();
    // No button is chosen for a value outside the group.
    widgets.buttons->setExclusive(false);
    for (int index = 0; index < static_cast<int>(buttons.size()); ++index) {
        QAbstractButton* button = widgets.buttons->button(index);
        const auto item = static_cast<size_t>(index);
        const QSignalBlocker blocker(button);
        SetCaption(button, item < control.items.size() ? control.items[item] : std::string());
        SetShown(button, Flag(control.itemEnabled, item, true), Flag(control.itemVisible, item, true));
        button->setChecked(control.value == index);
    }
    widgets.buttons->setExclusive(true);
}

void CFormBinder::RefreshText(const FormControl& control, const ControlWidgets& widgets)
{
    Shown& shown = m_shown[control.id];
    if (shown.text == control.text) {
        return;
    }
    shown.text = control.text;
    if (auto* edit = qobject_cast<QLineEdit*>(widgets.field)) {
        edit->setText(ToQt(control.text));
    } else if (auto* lines = qobject_cast<QPlainTextEdit*>(widgets.field)) {
        lines->setPlainText(ToQt(control.text));
    } else if (auto* combo = qobject_cast<QComboBox*>(widgets.field)) {
        combo->setEditText(ToQt(control.text));
    }
}

void CFormBinder::RefreshItems(const FormControl& control, const ControlWidgets& widgets)
{
    Shown& shown = m_shown[control.id];
    const bool newItems = shown.items != control.items;
    if (newItems) {
        shown.items = control.items;
        QStringList items;
        for (const std::string& item : control.items) {
            items.push_back(ToQt(item));
        }
        if (auto* combo = qobject_cast<QComboBox*>(widgets.field)) {
            combo->clear();
            combo->addItems(items);
        } else {
            auto* list = static_cast<QListWidget*>(widgets.field);
            list->clear();
            list->addItems(items);
        }
    }
    if (auto* list = qobject_cast<QListWidget*>(widgets.field)) {
        for (int row = 0; row < list->count(); ++row) {
            list->item(row)->setSelected(Flag(control.selected, static_cast<size_t>(row), false));
        }
    } else if (control.kind == ControlKind::ComboEdit) {
        // Replacing the items clears the edit.
        if (newItems) {
            shown.text.reset();
        }
        RefreshText(control, widgets);
    } else {
        const auto item = std::find(control.items.begin(), control.items.end(), control.text);
        static_cast<QComboBox*>(widgets.field)
            ->setCurrentIndex(item == control.items.end() ? -1 : static_cast<int>(item - control.items.begin()));
    }
}

bool CFormBinder::Focus(int id)
{
    const ControlWidgets* widgets = m_widgets.Of(id);
    if (widgets == nullptr) {
        return false;
    }
    QWidget* target = widgets->field;
    if (widgets->buttons != nullptr) {
        target = widgets->buttons->checkedButton() != nullptr ? widgets->buttons->checkedButton()
                                                                : widgets->buttons->button(0);
    }
    if (target == nullptr) {
        return false;
    }
    target->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(target)) {
        edit->selectAll();
    } else if (auto* combo = qobject_cast<QComboBox*>(target); combo != nullptr && combo->isEditable()) {
        combo->lineEdit()->selectAll();
    }
    return true;
}

}  // namespace kestrion
