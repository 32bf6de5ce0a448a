#pragma once
// The list box of the text views: it takes texts of one or more lines and keeps the newest
// 300 lines, scrolled to the last one. Lines are shown whole and scroll sideways.
//
// A line is measured once, as it comes: the list's layout then reads its size instead of
// laying out every text again, and the scroll to the last line waits for the end of the
// loop's turn, so a burst of lines costs one layout and one repaint.
#include <string_view>

#include <QListWidget>
#include <QStringList>

namespace kestrion {

class CLineList : public QListWidget {
public:
    static constexpr int kMaxLines = 300;

    explicit CLineList(QWidget* parent = nullptr);

    // Each line feed ends a line; a text ending in one adds no empty line after it. An empty
    // line is shown as one blank.
    void AddText(std::string_view text);

    QStringList Lines() const;

    QSize sizeHint() const override;

protected:
    // A new font or style measures every line again.
    void changeEvent(QEvent* event) override;

private:
    void AddLine(std::string_view line);
    void Measure(QListWidgetItem& item) const;
    // Scrolls to the last line once the turn of the loop is over.
    void ShowLastSoon();

    bool m_showLastPending = false;
};

}  // namespace kestrion
