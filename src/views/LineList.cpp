#include "views/LineList.h"

#include <QEvent>
#include <QFontDatabase>
#include <QStyleOptionViewItem>

namespace kestrion {

CLineList::CLineList(QWidget* parent) : QListWidget(parent)
{
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // Each line as wide as its text, so that the longest sets the scroll range; nothing elided.
    setUniformItemSizes(false);
    setTextElideMode(Qt::ElideNone);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // A list to read: no line is picked out.
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
}

QSize CLineList::sizeHint() const
{
    // Room for the usual line of a receiver text.
    constexpr int kColumns = 64, kRows = 10;
    const int frame = 2 * frameWidth();
    return {fontMetrics().averageCharWidth() * kColumns + frame, fontMetrics().lineSpacing() * kRows + frame};
}

void CLineList::AddText(std::string_view text)
{
    while (!text.empty()) {
        const size_t end = text.find('\n');
        AddLine(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
}

void CLineList::AddLine(std::string_view line)
{
    if (count() >= kMaxLines) {
        delete takeItem(0);
    }
    auto* item = new QListWidgetItem(line.empty() ? QStringLiteral(" ")
                                                  : QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size())));
    addItem(item);
    Measure(*item);
    ShowLastSoon();
}

void CLineList::Measure(QListWidgetItem& item) const
{
    // The size the list's delegate gives the text; once stored, the delegate returns it as it is.
    if (item.data(Qt::SizeHintRole).isValid()) {
        item.setData(Qt::SizeHintRole, QVariant());
    }
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QModelIndex index = indexFromItem(&item);
    item.setSizeHint(itemDelegateForIndex(index)->sizeHint(option, index));
}

void CLineList::ShowLastSoon()
{
    if (m_showLastPending) {
        return;
    }
    m_showLastPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_showLastPending = false;
            scrollToBottom();
        },
        Qt::QueuedConnection);
}

void CLineList::changeEvent(QEvent* event)
{
    QListWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        for (int row = 0; row < count(); ++row) {
            Measure(*item(row));
        }
    }
}

QStringList CLineList::Lines() const
{
    QStringList lines;
    for (int row = 0; row < count(); ++row) {
        lines.append(item(row)->text());
    }
    return lines;
}

}  // namespace kestrion
