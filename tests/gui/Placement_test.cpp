// Window placement in the settings file: the eleven keys, and how the main frame and the view
// frames take and store them.
#include <gtest/gtest.h>

#include <QMdiArea>

#include "FrameConsole.h"
#include "gui/WindowPlacement.h"

namespace kestrion::test {
namespace {

std::string Section(const std::string& name, int showCmd, QRect rect)
{
    return "[" + name + "]\nWplLength=44\nWplFlags=0\nWplShowCmd=" + std::to_string(showCmd) +
           "\nWplMinX=-1\nWplMinY=-1\nWplMaxX=-1\nWplMaxY=-1\nWplNormalL=" + std::to_string(rect.left()) +
           "\nWplNormalT=" + std::to_string(rect.top()) + "\nWplNormalR=" + std::to_string(rect.left() + rect.width()) +
           "\nWplNormalB=" + std::to_string(rect.top() + rect.height()) + "\n";
}

TEST(WindowPlacement, StoredRectanglesBecomeGeometryOnlyWhenTheyHaveAnArea)
{
    struct Case {
        int left, top, right, bottom;
        QRect expected;
    };
    const Case cases[] = {
        {10, 20, 310, 220, QRect(10, 20, 300, 200)},
        {-50, -40, 50, 60, QRect(-50, -40, 100, 100)},
        {10, 20, 10, 220, QRect()},
        {310, 20, 10, 220, QRect()},
        {INT_MIN, 0, INT_MAX, 100, QRect()},  // no overflow, no giant window
        {0, INT_MAX - 10, 100, INT_MAX, QRect(0, INT_MAX - 10, 100, 10)},
    };
    for (const Case& c : cases) {
        WindowPlacement placement;
        placement.normalLeft = c.left;
        placement.normalTop = c.top;
        placement.normalRight = c.right;
        placement.normalBottom = c.bottom;
        EXPECT_EQ(NormalGeometry(placement), c.expected) << c.left << "," << c.top << "," << c.right << "," << c.bottom;
    }
}

TEST(WindowPlacement, SavedKeysLoadBackAsTheyWereStored)
{
    CTempFolder folder;
    const CProfile profile(folder.Path() / "p.ini");
    EXPECT_FALSE(LoadPlacement(profile, "Main").has_value()) << "no keys";
    profile.WriteInt("Main", "WplShowCmd", 2);
    EXPECT_FALSE(LoadPlacement(profile, "Main").has_value()) << "no length";

    for (const auto& [states, stored, loaded] : {std::tuple{Qt::WindowStates{}, 1, 1},
                                                 std::tuple{Qt::WindowStates{Qt::WindowMinimized}, 2, 2},
                                                 std::tuple{Qt::WindowStates{Qt::WindowMaximized}, 3, 3}}) {
        const CProfile saved(folder.Path() / ("saved" + std::to_string(stored) + ".ini"));
        SavePlacement(saved, "Main", PlacementOf(QRect(7, 8, 90, 40), states));
        EXPECT_EQ(ReadText(saved.Path()), Section("Main", stored, QRect(7, 8, 90, 40)));
        const std::optional<WindowPlacement> placement = LoadPlacement(saved, "Main");
        ASSERT_TRUE(placement.has_value());
        EXPECT_EQ(placement->showCmd, loaded);
        EXPECT_EQ(NormalGeometry(*placement), QRect(7, 8, 90, 40));
    }
}

TEST(MainFramePlacement, StoredMaximisedComesBackMaximisedOverItsRectangleAndIsSavedAtTheEnd)
{
    CFrameConsole console(std::string(kRandomIni) + Section("Main", 3, QRect(30, 40, 500, 300)));
    EXPECT_TRUE(console.frame->isMaximized());
    console.frame->showNormal();
    EXPECT_EQ(console.frame->geometry(), QRect(30, 40, 500, 300));
    console.frame->setGeometry(60, 70, 520, 310);
    console.frame->showMaximized();
    console.frame.reset();
    EXPECT_NE(console.IniText().find(Section("Main", 3, QRect(60, 70, 520, 310))), std::string::npos)
        << console.IniText();
}

TEST(ViewFramePlacement, ShownAgainAfterHidingTakesThePlacementOfTheLastDestruction)
{
    const QRect stored(10, 20, 300, 200);
    CFrameConsole console(std::string(kRandomIni) + Section("QueryView", 1, stored));
    CMainFrame& frame = *console.frame;
    frame.RunCommand(ID_VIEW_RESPONSE);
    CViewFrame* response = console.View(5);
    EXPECT_EQ(response->geometry(), stored);
    response->setGeometry(50, 60, 200, 150);
    frame.RunCommand(ID_VIEW_RESPONSE);  // hidden
    frame.RunCommand(ID_VIEW_RESPONSE);
    EXPECT_EQ(response->geometry(), stored);

    // Destroyed with its document: the placement it had is stored and the new frame takes it.
    response->setGeometry(40, 30, 250, 150);
    frame.RunCommand(ID_DATA_SOURCE_SETUP);
    EXPECT_NE(console.IniText().find(Section("QueryView", 1, QRect(40, 30, 250, 150))), std::string::npos)
        << console.IniText();
    ASSERT_NE(console.View(5), nullptr);
    EXPECT_EQ(console.View(5)->geometry(), QRect(40, 30, 250, 150));
}

TEST(ViewFramePlacement, MinimisedAndMaximisedStatesKeepTheNormalRectangle)
{
    struct Case {
        void (QWidget::*state)();
        int stored;
        bool minimisedAfter;
    };
    const Case cases[] = {{&QWidget::showMinimized, 2, true}, {&QWidget::showMaximized, 3, false}};
    for (const Case& c : cases) {
        CFrameConsole console;
        console.frame->resize(800, 600);
        console.frame->RunCommand(ID_VIEW_NAVIGATION);
        console.View(3)->setGeometry(20, 10, 300, 200);
        (console.View(3)->*c.state)();
        console.frame->RunCommand(ID_DATA_SOURCE_SETUP);
        EXPECT_NE(console.IniText().find(Section("NavMsgView", c.stored, QRect(20, 10, 300, 200))), std::string::npos)
            << console.IniText();
        EXPECT_EQ(console.View(3)->isMinimized(), c.minimisedAfter);
        EXPECT_FALSE(console.View(3)->isMaximized());
    }
}

TEST(ViewFrame, MinimumTrackWidthLimitsOnlyTheWidth)
{
    CFrameConsole console;
    console.frame->RunCommand(ID_VIEW_DEVELOPMENT);
    CViewFrame* frame = console.View(4);
    EXPECT_EQ(frame->MinimumTrackWidth(), -1);
    frame->SetMinimumTrackWidth(210);
    frame->resize(100, 80);
    EXPECT_EQ(frame->width(), 210);
    EXPECT_EQ(frame->minimumHeight(), 0);
    frame->SetMinimumTrackWidth(-1);
    frame->resize(100, 80);
    EXPECT_LT(frame->width(), 210);
}

}  // namespace
}  // namespace kestrion::test
