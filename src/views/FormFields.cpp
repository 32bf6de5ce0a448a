#include "views/FormFields.h"

#include <QFontDatabase>

namespace kestrion {

QLineEdit* CFormFields::Add(int id)
{
    auto* field = new QLineEdit;
    field->setReadOnly(true);
    // Right-aligned numbers keep their columns.
    field->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_fields[id] = field;
    return field;
}

void CFormFields::Set(int id, std::string_view text)
{
    QLineEdit* field = m_fields.at(id);
    field->setText(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
    field->setCursorPosition(0);  // a long text shows its start
}

QString CFormFields::Text(int id) const
{
    return m_fields.at(id)->text();
}

}  // namespace kestrion
