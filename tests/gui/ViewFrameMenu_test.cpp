#include <gtest/gtest.h>

#include <QMenu>

#include "FrameConsole.h"

namespace kestrion {
namespace {

QStringList MenuTexts(CViewFrame& frame)
{
    QStringList texts;
    for (const QAction* action : frame.systemMenu()->actions()) {
        texts << action->text();
    }
    return texts;
}

TEST(ViewFrameMenu, TheMapsWindowMenuOffersExportTrackBesideSavePicture)
{
    test::CFrameConsole console;
    console.frame->ToggleViewSlot(kMapSlot, false);
    console.frame->RunCommand(ID_VIEW_STATISTICS);  // as the View menu does
    const QStringList map = MenuTexts(*console.View(kMapSlot));
    ASSERT_TRUE(map.contains("Save Picture..."));
    EXPECT_EQ(map.indexOf("Export Track..."), map.indexOf("Save Picture...") + 1);
    EXPECT_FALSE(MenuTexts(*console.View(kStatisticsSlot)).contains("Export Track..."));
    EXPECT_EQ(console.View(kStatisticsSlot)->windowTitle(), "Statistics View");
    EXPECT_TRUE(console.Checked(ID_VIEW_STATISTICS));
}

}  // namespace
}  // namespace kestrion
