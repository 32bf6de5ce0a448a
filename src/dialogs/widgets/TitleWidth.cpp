#include "dialogs/widgets/TitleWidth.h"

#include <QFontMetrics>
#include <QStyle>
#include <QWidget>

namespace kestrion {

int TitleWidth(const QWidget& window, const QString& title)
{
    // Icon, minimise, maximise and close are about as wide as the bar is high; the margins
    // of the frame and of the title take about one more.
    constexpr int kBarSquares = 5;
    QFont bold = window.font();
    bold.setBold(true);
    const int bar = window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window);
    return QFontMetrics(bold).horizontalAdvance(title) + kBarSquares * bar;
}

}  // namespace kestrion
