// Texts are never cut: a navigation field shows its widest text whole at the view's minimum
// size, and the text lists show whole lines and scroll sideways.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
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

}  // namespace
}  // namespace kestrion
