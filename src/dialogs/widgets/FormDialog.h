#pragma once
// A modal dialog for any dialog form: its controls, then OK (the default button, with the
// form's label) and Cancel. OK closes when the form accepts it, else the focus goes where the
// form says; Cancel, Escape and the close box close when the form allows it; a right-button
// double-click on the dialog goes to the form. The dialog is at least as wide as its title needs
// and opens centred on its owner.
#include <QDialog>

#include "dialogs/widgets/FormBinder.h"
#include "dialogs/widgets/FormWidgets.h"

class QPushButton;

namespace kestrion {

class CFormDialog : public QDialog {
    Q_OBJECT

public:
    explicit CFormDialog(CDialogForm& form, QWidget* parent = nullptr);

    const CFormWidgets& Widgets() const { return m_widgets; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }

    void accept() override;
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void Refresh();
    void CentreOnOwner();
    // The control's widget, or OK for 0.
    void FocusOn(int id);

    CDialogForm& m_form;
    QWidget* m_page;
    CFormWidgets m_widgets;
    CFormBinder m_binder;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};

}  // namespace kestrion
