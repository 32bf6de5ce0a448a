#include "views/FormFields.h"

#include <algorithm>

#include <QFontDatabase>
#include <QStyle>
#include <QStyleOptionFrame>

namespace kestrion {
namespace {

QString Latin1(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// A field at least as wide as its widest text, the way the line edit measures its own hint.
class CFormField : public QLineEdit {
public:
    explicit CFormField(QString widest) : m_widest(std::move(widest)) {}

    QSize minimumSizeHint() const override
    {
        QSize size = QLineEdit::minimumSizeHint();
        size.setWidth(std::max(size.width(), WidestWidth()));
        return size;
    }
    QSize sizeHint() const override { return QLineEdit::sizeHint().expandedTo(minimumSizeHint()); }

private:
    int WidestWidth() const
    {
        if (m_widest.isEmpty()) {
            return 0;
        }
        constexpr int kTextMargin = 2;  // the line edit's own, on each side
        constexpr int kCursor = 1;
        const QMargins margins = textMargins() + contentsMargins();
        const int text = fontMetrics().horizontalAdvance(m_widest) + 2 * kTextMargin + kCursor + margins.left() +
                         margins.right();
        QStyleOptionFrame option;
        initStyleOption(&option);
        return style()->sizeFromContents(QStyle::CT_LineEdit, &option, QSize(text, fontMetrics().height()), this).width();
    }

    QString m_widest;
};

}  // namespace

QLineEdit* CFormFields::Add(int id, std::string_view widest)
{
    auto* field = new CFormField(Latin1(widest));
    field->setReadOnly(true);
    // Right-aligned numbers keep their columns.
    field->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_fields[id] = field;
    return field;
}

void CFormFields::Set(int id, std::string_view text)
{
    QLineEdit* field = m_fields.at(id);
    field->setText(Latin1(text));
    field->setCursorPosition(0);  // a long text shows its start
}

QString CFormFields::Text(int id) const
{
    return m_fields.at(id)->text();
}

}  // namespace kestrion
