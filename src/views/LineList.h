#pragma once
// The list box of the text views: it takes texts of one or more lines and keeps the newest
// 300 lines, scrolled to the last one. Lines are shown whole and scroll sideways.
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

private:
    void AddLine(std::string_view line);
};

}  // namespace kestrion
