// The work area as the user arranges it: tiling and cascading keep the main window as it is
// and every view at its minimum; the area scrolls to what lies outside; the first start is
// centred; the status bar says how to start; a shared mnemonic reaches the enabled item.
#include <gtest/gtest.h>

#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include "FrameConsole.h"
#include "gui/MenuMnemonics.h"
#include "gui/WindowArrangement.h"

namespace kestrion::test {
namespace {

bool Overlap(const std::vector<QRect>& rects)
{
    for (size_t i = 0; i < rects.size(); ++i) {
        for (size_t j = i + 1; j < rects.size(); ++j) {
            if (rects[i].intersects(rects[j])) {
                return true;
            }
        }
    }
    return false;
}

std::vector<TiledWindow> Windows(size_t count, QSize minimum, QSize natural)
{
    return std::vector<TiledWindow>(count, TiledWindow{minimum, natural});
}

TEST(WindowArrangement, TilesFillTheAreaAndWidenOnlyForAMinimumThatDoesNotFit)
{
    const std::vector<TiledWindow> small = Windows(5, QSize(100, 80), QSize(200, 150));
    const std::vector<QRect> tiles = TileRects(small, QSize(900, 600));
    ASSERT_EQ(tiles.size(), 5u);
    EXPECT_EQ(tiles[0], QRect(0, 0, 300, 300)) << "three columns, two rows";
    EXPECT_EQ(tiles[4], QRect(300, 300, 600, 300)) << "the last takes the rest of its row";
    EXPECT_FALSE(Overlap(tiles));

    std::vector<TiledWindow> wide = small;
    wide[1].minimum = QSize(450, 350);
    const std::vector<QRect> widened = TileRects(wide, QSize(900, 600));
    EXPECT_EQ(widened[1].size(), QSize(450, 350));
    EXPECT_EQ(widened[0].width(), 225) << "the other columns share the rest";
    EXPECT_EQ(widened[3].height(), 250);
    EXPECT_GE(widened[4].width(), 450) << "the whole column widens";
    EXPECT_EQ(widened[2].left(), 675);
    EXPECT_FALSE(Overlap(widened));

    // A column is not squeezed below its natural width or its share: the area scrolls instead.
    std::vector<TiledWindow> crowded = Windows(3, QSize(50, 50), QSize(400, 300));
    crowded[0].minimum = QSize(700, 100);
    const std::vector<QRect> scrolled = TileRects(crowded, QSize(900, 600));
    EXPECT_EQ(scrolled[1], QRect(700, 0, 400, 300));
    EXPECT_EQ(scrolled[2].top(), 300);

    // Minimums that need more than the area keep their sizes.
    const std::vector<QRect> beyond = TileRects(Windows(4, QSize(500, 400), QSize(500, 400)), QSize(900, 600));
    EXPECT_EQ(beyond[3], QRect(500, 400, 500, 400));

    const std::vector<QRect> cascade = CascadeRects({QSize(500, 300), QSize(200, 100)}, 24);
    EXPECT_EQ(cascade[1], QRect(24, 24, 200, 100));
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

TEST_F(WindowLayoutTest, TilingKeepsTheMainWindowAndEveryViewAtItsMinimum)
{
    frame.setGeometry(100, 80, 1024, 720);
    OpenAllViews();
    const QRect before = frame.geometry();
    frame.RunCommand(ID_WINDOW_TILE);
    QCoreApplication::processEvents();
    EXPECT_EQ(frame.geometry(), before);
    std::vector<QRect> rects;
    for (int slot = 0; slot < kViewSlots; ++slot) {
        const CViewFrame* view = console.View(slot);
        EXPECT_GE(view->width(), view->ArrangedMinimum().width()) << slot;
        EXPECT_GE(view->height(), view->ArrangedMinimum().height()) << slot;
        rects.push_back(view->geometry());
    }
    EXPECT_FALSE(Overlap(rects));
    // What lies outside the area is scrolled to.
    EXPECT_EQ(frame.MdiArea().horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    EXPECT_EQ(frame.MdiArea().verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
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

TEST(FirstStart, WithoutAStoredPlacementTheFrameIsCentredOnTheScreen)
{
    CFrameConsole console;
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    // Within the window frame's margins.
    const QPoint offset = console.frame->geometry().center() - screen.center();
    EXPECT_LE(offset.manhattanLength(), 10) << offset.x() << "," << offset.y();
    EXPECT_EQ(console.frame->size(), QSize(1024, 720));
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
}  // namespace kestrion::test
