// The work area as the user arranges it: tiling and cascading keep the main window as it is
// and every view at its minimum; tiling stays inside the area and minimises what does not fit;
// the first start fills the work area and lays the views out for it, and a view opened later
// finds a free place; the status bar says how to start; a shared mnemonic reaches the enabled
// item.
#include <gtest/gtest.h>

#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QSignalSpy>
#include <QTest>

#include "FrameConsole.h"
#include "gui/FreeSpot.h"
#include "gui/MenuMnemonics.h"
#include "gui/WindowArrangement.h"

namespace kestrion {

void PrintTo(const Box& box, std::ostream* out)
{
    *out << "(" << box.left << "," << box.top << " " << box.width << "x" << box.height << ")";
}

namespace test {
namespace {

// Each box within the area, at least its window's minimum, none overlapping another, and
// together covering the whole area.
void ExpectTiled(const std::vector<TiledWindow>& windows, const std::vector<Box>& boxes, Extent area)
{
    long long covered = 0;
    for (size_t i = 0; i < boxes.size(); ++i) {
        EXPECT_TRUE(boxes[i].Within(area)) << i;
        EXPECT_TRUE(boxes[i].Size().Covers(windows[i].minimum)) << i;
        for (size_t j = i + 1; j < boxes.size(); ++j) {
            EXPECT_EQ(boxes[i].Overlap(boxes[j]), 0) << i << " " << j;
        }
        covered += boxes[i].Area();
    }
    EXPECT_EQ(covered, (Box{0, 0, area.width, area.height}.Area()));
}

TEST(WindowArrangement, TilesFillTheAreaNeverLeaveItAndFollowThePreferredShapes)
{
    // Nine views as the console has them, frames included, in a maximised 1600 x 1000 window.
    const std::vector<TiledWindow> views = {
        {{370, 250}, {490, 330}}, {{230, 250}, {310, 330}}, {{370, 270}, {640, 390}},
        {{330, 330}, {330, 360}}, {{310, 150}, {470, 190}}, {{310, 150}, {470, 190}},
        {{310, 150}, {470, 190}}, {{280, 200}, {280, 220}}, {{450, 290}, {630, 370}},
    };
    const Extent area{1600, 900};
    const Tiling nine = TileWindows(views, area, {160, 26});
    EXPECT_EQ(nine.tiled, 9u);
    ASSERT_EQ(nine.boxes.size(), 9u);
    ExpectTiled(views, nine.boxes, area);

    // Room for every preferred size: each gets it, and the rows keep the shapes.
    const std::vector<TiledWindow> squares(3, TiledWindow{{100, 100}, {300, 300}});
    const Tiling wide = TileWindows(squares, {900, 300}, {160, 26});
    EXPECT_EQ(wide.boxes, (std::vector<Box>{{0, 0, 300, 300}, {300, 0, 300, 300}, {600, 0, 300, 300}}));
    const Tiling tall = TileWindows(squares, {300, 900}, {160, 26});
    EXPECT_EQ(tall.boxes[2], (Box{0, 600, 300, 300})) << "one above the other";

    // Short of room, each falls short in proportion to what it lacks.
    const std::vector<TiledWindow> crowded = {{{100, 100}, {300, 300}}, {{100, 100}, {500, 300}}};
    const Tiling shared = TileWindows(crowded, {600, 300}, {160, 26});
    EXPECT_EQ(shared.boxes, (std::vector<Box>{{0, 0, 233, 300}, {233, 0, 367, 300}}));

    EXPECT_TRUE(TileWindows({}, area, {160, 26}).boxes.empty());
    EXPECT_EQ(CascadeBoxes({{500, 300}, {200, 100}}, 24)[1], (Box{24, 24, 200, 100}));
}

TEST(WindowArrangement, WindowsWhoseMinimumsDoNotFitBecomeIconsAlongTheBottom)
{
    const std::vector<TiledWindow> big(4, TiledWindow{{500, 400}, {500, 400}});
    const Tiling tiling = TileWindows(big, {900, 600}, {160, 26});
    EXPECT_EQ(tiling.tiled, 1u);
    EXPECT_EQ(tiling.boxes, (std::vector<Box>{{0, 0, 900, 574}, {0, 574, 160, 26}, {160, 574, 160, 26},
                                              {320, 574, 160, 26}}));

    // Icons that fill a row go on in the row above; none fit: all are icons.
    const Tiling none = TileWindows(big, {400, 300}, {160, 26});
    EXPECT_EQ(none.tiled, 0u);
    EXPECT_EQ(none.boxes, (std::vector<Box>{{0, 274, 160, 26}, {160, 274, 160, 26}, {0, 248, 160, 26},
                                            {160, 248, 160, 26}}));
}

TEST(FreeSpot, ANewWindowGoesWhereItCoversTheOthersLeast)
{
    const Extent area{1000, 600};
    EXPECT_EQ(FindFreeSpot({400, 300}, area, {}), (Box{0, 0, 400, 300}));
    const std::vector<Box> two = {{0, 0, 400, 300}, {400, 0, 400, 300}};
    EXPECT_EQ(FindFreeSpot({400, 300}, area, two), (Box{0, 300, 400, 300})) << "below, at the left";
    EXPECT_EQ(FindFreeSpot({200, 600}, area, two), (Box{800, 0, 200, 600})) << "beside them at the right";
    // No free place: the least covered one, inside the area.
    const std::vector<Box> full = {{0, 0, 600, 600}, {600, 0, 400, 400}};
    EXPECT_EQ(FindFreeSpot({400, 300}, area, full), (Box{600, 300, 400, 300}));
    EXPECT_EQ(FindFreeSpot({1200, 700}, area, full), (Box{0, 0, 1200, 700})) << "larger than the area";
}

class WindowLayoutTest : public ::testing::Test {
protected:
    CFrameConsole console;
    CMainFrame& frame = *console.frame;

    void OpenAllViews()
    {
        for (int slot = 0; slot < kViewSlots; ++slot) {
            frame.ToggleViewSlot(slot, true);
        }
        QCoreApplication::processEvents();
    }
};

// The shown views that are not minimised: each at least its minimum, inside the work area and
// covering no other by more than a tenth of the smaller one.
void ExpectReadableAndApart(CFrameConsole& console)
{
    const QRect area(QPoint(0, 0), console.frame->MdiArea().viewport()->size());
    std::vector<QRect> rects;
    for (int slot = 0; slot < kViewSlots; ++slot) {
        const CViewFrame* view = console.View(slot);
        if (view == nullptr || view->isHidden() || view->isMinimized()) {
            continue;
        }
        EXPECT_GE(view->width(), view->ArrangedMinimum().width()) << slot;
        EXPECT_GE(view->height(), view->ArrangedMinimum().height()) << slot;
        EXPECT_TRUE(area.contains(view->geometry())) << slot;
        rects.push_back(view->geometry());
    }
    for (size_t i = 0; i < rects.size(); ++i) {
        for (size_t j = i + 1; j < rects.size(); ++j) {
            const QRect shared = rects[i].intersected(rects[j]);
            const int smaller = std::min(rects[i].width() * rects[i].height(), rects[j].width() * rects[j].height());
            EXPECT_LE(shared.width() * shared.height() * 10, smaller) << i << " " << j;
        }
    }
}

TEST_F(WindowLayoutTest, TilingFitsNineViewsIn1600By1000AndMinimisesWhatDoesNotFitInASmallWindow)
{
    frame.showNormal();
    frame.setGeometry(0, 0, 1600, 1000);
    OpenAllViews();
    const QRect before = frame.geometry();
    frame.RunCommand(ID_WINDOW_TILE);
    QCoreApplication::processEvents();
    EXPECT_EQ(frame.geometry(), before);
    ExpectReadableAndApart(console);
    for (int slot = 0; slot < kViewSlots; ++slot) {
        EXPECT_FALSE(console.View(slot)->isMinimized()) << slot;
    }
    EXPECT_FALSE(frame.MdiArea().horizontalScrollBar()->isVisible());
    EXPECT_FALSE(frame.MdiArea().verticalScrollBar()->isVisible());
    EXPECT_TRUE(frame.statusBar()->currentMessage().isEmpty());

    frame.resize(700, 500);
    QCoreApplication::processEvents();
    frame.RunCommand(ID_WINDOW_TILE);
    QCoreApplication::processEvents();
    ExpectReadableAndApart(console);
    int minimised = 0;
    for (int slot = 0; slot < kViewSlots; ++slot) {
        minimised += console.View(slot)->isMinimized() ? 1 : 0;
    }
    EXPECT_GT(minimised, 0);
    EXPECT_LT(minimised, kViewSlots);
    EXPECT_TRUE(console.View(kStatisticsSlot)->isMinimized()) << "the last ones give way";
    EXPECT_FALSE(console.View(kSignalSlot)->isMinimized());
    EXPECT_EQ(frame.statusBar()->currentMessage(),
              QStringLiteral("Only %1 of the 9 views fit in the window at a readable size; the others are minimised. "
                             "Enlarge the window and choose Tile again.")
                  .arg(kViewSlots - minimised));

    // Room again: Tile brings the minimised views back.
    frame.resize(1600, 1000);
    QCoreApplication::processEvents();
    frame.RunCommand(ID_WINDOW_TILE);
    for (int slot = 0; slot < kViewSlots; ++slot) {
        EXPECT_FALSE(console.View(slot)->isMinimized()) << slot;
    }
    ExpectReadableAndApart(console);
}

TEST_F(WindowLayoutTest, CascadeKeepsEachViewAtItsMinimumAndItsFormsNaturalWidth)
{
    OpenAllViews();
    console.View(0)->SetMinimumTrackWidth(210);
    const QRect before = frame.geometry();
    frame.RunCommand(ID_WINDOW_CASCADE);
    QCoreApplication::processEvents();
    EXPECT_EQ(frame.geometry(), before);
    for (int slot = 0; slot < kViewSlots; ++slot) {
        const CViewFrame* view = console.View(slot);
        EXPECT_GE(view->width(), view->widget()->sizeHint().width()) << slot;
        EXPECT_GE(view->width(), view->MinimumTrackWidth()) << slot;
    }
    EXPECT_GT(console.View(5)->width(), 400) << "the response view has room for its lines";
    EXPECT_LT(console.View(0)->x(), console.View(1)->x());
}

TEST_F(WindowLayoutTest, TheStatusBarSaysHowToStartWhileNoSourceIsOpen)
{
    EXPECT_EQ(frame.StatusText(), QStringLiteral("Press Open Data Source (F5 or the \u25B6 button) to start"));
    EXPECT_EQ(frame.Action(ID_OPEN_DATA_SOURCE)->shortcut(), QKeySequence(Qt::Key_F5));
    frame.RunCommand(ID_OPEN_DATA_SOURCE);
    EXPECT_TRUE(frame.State().sourceOpen);
    EXPECT_EQ(frame.StatusText(), QString());
    frame.RunCommand(ID_OPEN_DATA_SOURCE);
    EXPECT_FALSE(frame.StatusText().isEmpty());
}

TEST(FirstStart, WithoutAStoredPlacementTheFrameFillsTheWorkAreaAndIsCentredWhenRestored)
{
    CFrameConsole console;
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    // The window manager fills the work area with a maximised window.
    EXPECT_TRUE(console.frame->isMaximized());
    console.frame->showNormal();
    // Within the window frame's margins.
    const QPoint offset = console.frame->geometry().center() - screen.center();
    EXPECT_LE(offset.manhattanLength(), 10) << offset.x() << "," << offset.y();
    EXPECT_GT(console.frame->width(), screen.width() / 2);
}

// The views listed as open (eight by default, or all nine), none with a placement of its own,
// opened by the first data source setup in a 1600 x 1000 window.
TEST(FirstStart, TheOpenViewsAreLaidOutReadableAndApartForTheWindow)
{
    for (const std::string& listed : {std::string(), std::string("[Main]\nOpenViews=111111111\n")}) {
        CFrameConsole console(std::string(kRandomIni) + listed);
        console.frame->showNormal();
        console.frame->setGeometry(0, 0, 1600, 1000);
        console.frame->RunCommand(ID_DATA_SOURCE_SETUP);
        const int expected = listed.empty() ? 8 : 9;
        EXPECT_EQ(console.frame->MdiArea().subWindowList().size(), expected);
        for (int slot = 0; slot < expected; ++slot) {
            ASSERT_NE(console.View(slot), nullptr) << slot;
            EXPECT_FALSE(console.View(slot)->isHidden() || console.View(slot)->isMinimized()) << slot;
        }
        ExpectReadableAndApart(console);
        // The statistics view has room for its figures beside the scatter.
        if (expected == 9) {
            EXPECT_GE(console.View(kStatisticsSlot)->widget()->width(), 440);
        }
    }
}

TEST(FirstStart, AViewOpenedLaterGoesWhereItCoversTheOthersLeast)
{
    CFrameConsole console(std::string(kRandomIni) + "[Main]\nOpenViews=0\n");
    console.frame->showNormal();
    console.frame->setGeometry(0, 0, 1600, 1000);
    console.frame->RunCommand(ID_VIEW_MAP);
    console.frame->RunCommand(ID_VIEW_SIGNAL);
    console.frame->RunCommand(ID_VIEW_STATISTICS);
    ExpectReadableAndApart(console);
    EXPECT_EQ(console.View(kMapSlot)->pos(), QPoint(0, 0));
}

TEST(MenuMnemonics, ASharedMnemonicTriggersTheOneEnabledItem)
{
    TestApplication();
    QMenu menu;
    QAction* orvo = menu.addAction("Switch to &Orvo Protocol");
    QAction* mode = menu.addAction("Switch &Operating Mode...");
    menu.addAction("Set &Low Power...");
    CMenuMnemonics::Install(menu);
    QSignalSpy orvoSpy(orvo, &QAction::triggered);
    QSignalSpy modeSpy(mode, &QAction::triggered);

    orvo->setEnabled(false);
    menu.popup(QPoint(0, 0));
    QTest::keyClick(&menu, Qt::Key_O);
    EXPECT_EQ(modeSpy.count(), 1);
    EXPECT_EQ(orvoSpy.count(), 0);
    EXPECT_FALSE(menu.isVisible()) << "closed as by a mnemonic of its own";

    orvo->setEnabled(true);
    mode->setEnabled(false);
    menu.popup(QPoint(0, 0));
    QTest::keyClick(&menu, Qt::Key_O);
    EXPECT_EQ(orvoSpy.count(), 1);
    EXPECT_EQ(modeSpy.count(), 1);
    menu.hide();
}

TEST_F(WindowLayoutTest, AltAThenOReachesTheEnabledOneOfTheTwoOItemsOfTheActionMenu)
{
    frame.RunCommand(ID_OPEN_DATA_SOURCE);
    ASSERT_TRUE(console.Enabled(ID_SWITCH_OPERATING_MODE));
    ASSERT_FALSE(console.Enabled(ID_SWITCH_TO_ORVO));
    QMenu* actionMenu = frame.Action(ID_SWITCH_OPERATING_MODE)->associatedObjects().isEmpty()
                            ? nullptr
                            : qobject_cast<QMenu*>(frame.Action(ID_SWITCH_OPERATING_MODE)->associatedObjects().front());
    ASSERT_NE(actionMenu, nullptr);
    QSignalSpy triggered(frame.Action(ID_SWITCH_OPERATING_MODE), &QAction::triggered);
    actionMenu->popup(QPoint(0, 0));
    QTest::keyClick(actionMenu, Qt::Key_O);
    EXPECT_EQ(triggered.count(), 1);
}

}  // namespace
}  // namespace test
}  // namespace kestrion
