#include "views/LineList.h"

#include <QFontDatabase>

namespace kestrion {

CLineList::CLineList(QWidget* parent) : QListWidget(parent)
{
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
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
    setUpdatesEnabled(false);
    if (count() >= kMaxLines) {
        delete takeItem(0);
    }
    addItem(line.empty() ? QStringLiteral(" ")
                         : QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size())));
    scrollToBottom();
    setUpdatesEnabled(true);
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
