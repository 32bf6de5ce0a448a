// Texts are never cut: a navigation field shows its widest text whole at the view's minimum
// size, and the text lists show whole lines and scroll sideways.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QProxyStyle>
#include <QScrollBar>

#include "ViewTests.h"
#include "views/LineList.h"
#include "views/NavMsgView.h"

namespace kestrion {
namespace {

using Field = CNavMsgView::Field;

constexpr Field kFields[] = {CNavMsgView::kSvList,    CNavMsgView::kMode,      CNavMsgView::kDop,
                             CNavMsgView::kWeek,      CNavMsgView::kTime,      CNavMsgView::kFix,
                             CNavMsgView::kSvCount,   CNavMsgView::kPositionX, CNavMsgView::kVelocityX,
                             CNavMsgView::kPositionY, CNavMsgView::kVelocityY, CNavMsgView::kPositionZ,
                             CNavMsgView::kVelocityZ, CNavMsgView::kLatitude,  CNavMsgView::kLongitude,
                             CNavMsgView::kAltitude};

// Whether the line edit shows the text from its first character to its last: with the cursor
// at the end, a text that does not fit is scrolled and its end lies less far from its start.
QRect CursorRect(const QLineEdit& field)
{
    return field.inputMethodQuery(Qt::ImCursorRectangle).toRect();
}

bool ShowsWhole(QLineEdit& field, const QString& text)
{
    field.setText(text);
    field.setCursorPosition(0);
    const int start = CursorRect(field).center().x();
    field.setCursorPosition(static_cast<int>(text.size()));
    const int end = CursorRect(field).center().x();
    const bool inside = CursorRect(field).right() <= field.width();
    field.setCursorPosition(0);
    return inside && end - start >= field.fontMetrics().horizontalAdvance(text);
}

TEST(NavMsgViewFields, EachShowsTheWidestTextOfItsFormatWholeAtTheMinimumSize)
{
    QApplication& app = test::ViewApplication();
    ProtocolState protocol;
    CNavMsgView view(protocol);
    view.show();
    view.resize(view.minimumSizeHint());
    app.processEvents();
    EXPECT_EQ(CNavMsgView::WidestFieldText(CNavMsgView::kVelocityX), " -4096.000");
    EXPECT_EQ(CNavMsgView::WidestFieldText(CNavMsgView::kLongitude), "-180.00000");
    EXPECT_EQ(CNavMsgView::WidestFieldText(CNavMsgView::kTime), "42949672.95");
    EXPECT_EQ(CNavMsgView::WidestFieldText(CNavMsgView::kMode), "NoNav(AltFilter)+DGPS;LC, DR timed out, edited by UI");
    for (const Field field : kFields) {
        const QString widest = QString::fromStdString(CNavMsgView::WidestFieldText(field));
        ASSERT_FALSE(widest.isEmpty()) << field;
        EXPECT_TRUE(ShowsWhole(*view.FieldWidget(field), widest)) << field << ": " << widest.toStdString();
    }
}

TEST(LineList, LongLinesAreNotElidedAndScrollSideways)
{
    QApplication& app = test::ViewApplication();
    CLineList list;
    list.resize(200, 150);
    list.show();
    list.AddText("Week:1250\n");
    const std::string clock =
        "Week:1250  TOW:36000  EstGPSTime:360000000 ms  SVCnt:9  Clock Drift:94500 Hz  Clock Bias:1000000 ns";
    list.AddText(clock + "\n");
    app.processEvents();
    EXPECT_EQ(list.textElideMode(), Qt::ElideNone);
    const QScrollBar* bar = list.horizontalScrollBar();
    // The longest line, not the first, sets how far the list scrolls.
    const int needed = list.fontMetrics().horizontalAdvance(QString::fromStdString(clock));
    EXPECT_GE(bar->maximum() + list.viewport()->width(), needed);
    EXPECT_GT(bar->maximum(), 0);
}

TEST(LineList, NoLineIsPickedOut)
{
    QApplication& app = test::ViewApplication();
    CLineList list;
    list.show();
    list.AddText("first\nsecond\n");
    list.setFocus();
    app.processEvents();
    EXPECT_TRUE(list.selectedItems().isEmpty());
    EXPECT_EQ(list.selectionMode(), QAbstractItemView::NoSelection);
    EXPECT_FALSE(list.item(0)->isSelected());
}


// Counts the texts a list's delegate has the style measure.
class CMeasuringStyle : public QProxyStyle {
public:
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override
    {
        measured += type == CT_ItemViewItem ? 1 : 0;
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    }
    mutable int measured = 0;
};

// A line added to a full list costs the measuring of that line alone, the widest line kept
// sets how far the list scrolls sideways, and a burst of lines ends scrolled to the last.
TEST(LineList, EachLineIsMeasuredOnceAndTheWidestKeptSetsTheScrollRange)
{
    QApplication& app = test::ViewApplication();
    CMeasuringStyle style;
    CLineList list;
    list.setStyle(&style);
    list.resize(240, 150);
    list.show();
    list.AddText(std::string(120, 'w') + "\n");
    for (int i = 1; i < CLineList::kMaxLines; ++i) {
        list.AddText("line " + std::to_string(i) + "\n");
    }
    app.processEvents();
    const QScrollBar* across = list.horizontalScrollBar();
    EXPECT_GT(across->maximum(), 0);

    style.measured = 0;
    list.AddText("line 300\nline 301\nline 302\n");  // the wide line goes
    app.processEvents();
    EXPECT_EQ(style.measured, 3);
    EXPECT_EQ(across->maximum(), 0);
    const QScrollBar* down = list.verticalScrollBar();
    EXPECT_GT(down->maximum(), 0);
    EXPECT_EQ(down->value(), down->maximum());
    EXPECT_TRUE(list.viewport()->rect().intersects(list.visualItemRect(list.item(list.count() - 1))));

    // A larger font measures every line again.
    list.AddText(std::string(40, 'w') + "\n");
    app.processEvents();
    const int before = across->maximum();
    QFont larger = list.font();
    larger.setPointSizeF(larger.pointSizeF() * 2);
    list.setFont(larger);
    app.processEvents();
    EXPECT_GT(across->maximum(), before);
}

}  // namespace
}  // namespace kestrion
