#include "dialogs/widgets/FormDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/widgets/QtText.h"
#include "dialogs/widgets/TitleWidth.h"

namespace kestrion {

CFormDialog::CFormDialog(CDialogForm& form, QWidget* parent)
    : QDialog(parent),
      m_form(form),
      m_page(new QWidget(this)),
      m_widgets(form.Controls(), *m_page),
      m_binder(form, m_widgets, [this] { Refresh(); })
{
    auto* buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(ToQt(form.OkLabel()), QDialogButtonBox::AcceptRole);
    m_cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    m_ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &CFormDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CFormDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_page);
    layout->addWidget(buttons);
    // Compact, and it shrinks and grows as controls hide and show.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    Refresh();
}

void CFormDialog::Refresh()
{
    const QString title = ToQt(m_form.Title());
    if (title != windowTitle()) {
        setWindowTitle(title);
        // The dialog is as wide as its layout: the page makes room for the whole title.
        const QMargins margins = layout()->contentsMargins();
        m_page->setMinimumWidth(TitleWidth(*this, title) - margins.left() - margins.right());
    }
    m_ok->setText(ToQt(m_form.OkLabel()));
    m_cancel->setEnabled(m_form.CancelEnabled());
    m_binder.Refresh();
}

void CFormDialog::FocusOn(int id)
{
    if (id == 0 || !m_binder.Focus(id)) {
        m_ok->setFocus(Qt::OtherFocusReason);
    }
}

void CFormDialog::showEvent(QShowEvent* event)
{
    layout()->activate();
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        CentreOnOwner();
        FocusOn(m_form.Focus());
    }
}

void CFormDialog::CentreOnOwner()
{
    // Qt guesses the window frames of windows not yet framed; the owner's frame is known.
    if (const QWidget* owner = parentWidget()) {
        QRect frame = frameGeometry();
        frame.moveCenter(owner->window()->frameGeometry().center());
        move(frame.topLeft());
    }
}

void CFormDialog::accept()
{
    const bool closes = m_form.Ok();
    Refresh();
    if (closes) {
        QDialog::accept();
    } else {
        FocusOn(m_form.Focus());
    }
}

void CFormDialog::reject()
{
    if (!m_form.CancelEnabled()) {
        QApplication::beep();
        return;
    }
    const bool closes = m_form.Cancel();
    Refresh();
    if (closes) {
        QDialog::reject();
    }
}

void CFormDialog::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::RightButton) {
        QDialog::mouseDoubleClickEvent(event);
        return;
    }
    m_form.RightDoubleClick();
    Refresh();
}

}  // namespace kestrion
