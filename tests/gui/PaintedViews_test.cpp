// The three painted views in the console's frames: opened from the View menu with their
// captions, the signal view's minimum width, the map caption following its view, the
// general preferences from the signal view, and "Save Picture..." of the frames.
#include <cstring>

#include <gtest/gtest.h>

#include <QImage>
#include <QMenu>
#include <QMouseEvent>

#include "FrameConsole.h"
#include "dialogs/PreferencesDialog.h"
#include "protocol/MessageRecord.h"
#include "protocol/Mid.h"
#include "app/DocumentView.h"
#include "views/SignalView.h"

namespace kestrion::test {
namespace {

QAction* SavePictureAction(CViewFrame& frame)
{
    for (QAction* action : frame.systemMenu()->actions()) {
        if (action->text() == "Save Picture...") {
            return action;
        }
    }
    return nullptr;
}

TEST(PaintedViews, OpenFromTheViewMenuInFramesOfTheirOwn)
{
    CFrameConsole console;
    const struct {
        int command;
        int slot;
        const char* caption;
    } views[] = {{ID_VIEW_SIGNAL, 0, "12-Channel Signal Level View"},
                 {ID_VIEW_TRACKING, 1, "Tracking View"},
                 {ID_VIEW_MAP, 2, "Map View"}};
    for (const auto& view : views) {
        console.frame->RunCommand(view.command);
        ASSERT_NE(console.View(view.slot), nullptr) << view.caption;
        EXPECT_TRUE(console.View(view.slot)->isVisible());
        EXPECT_EQ(console.View(view.slot)->windowTitle(), view.caption);
        EXPECT_TRUE(console.Checked(view.command));
    }
    EXPECT_EQ(console.frame->OpenViews().Text().substr(0, 3), "111");
    // The signal view keeps its frame at 210 pixels at least once it has been laid out.
    EXPECT_EQ(console.View(0)->MinimumTrackWidth(), 210);

    // The frame's caption follows the map view's, which names the receiver's software.
    CMessageRecord version;
    version.SetType(MID_SWVersion);
    version.swVersion.mid = MID_SWVersion;
    std::memcpy(version.swVersion.version, "2.0.3", 5);
    console.frame->Engine().CurrentDocument()->UpdateAllViews(UpdateHint::Record, &version);
    EXPECT_EQ(console.View(2)->windowTitle(), "Map View (SW Version: 2.0.3)");
}

TEST(PaintedViews, SignalViewDoubleClickRunsTheGeneralPreferencesWhoseSaveTheViewsReadAtOnce)
{
    CFrameConsole console;
    console.frame->RunCommand(ID_VIEW_SIGNAL);
    console.ui.onDialog = [](CDialogForm& dialog) {
        dialog.ChooseRadio(CPreferencesDialog::kGraphType, 1);
        return dialog.Ok();
    };
    auto* view = static_cast<CSignalView*>(console.View(0)->widget());
    ASSERT_EQ(view->ChartStyle().graphType, 0);
    const QPointF inside(view->width() / 2.0, view->height() / 2.0);
    QMouseEvent click(QEvent::MouseButtonDblClick, inside, view->mapToGlobal(inside), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view, &click);
    ASSERT_EQ(console.ui.dialogs.size(), 1U);
    EXPECT_EQ(console.ui.dialogs.front(), "Preferences");
    EXPECT_EQ(view->ChartStyle().graphType, 1) << "line graphs from the next plot on";
}

TEST(PaintedViews, SavePictureWritesTheViewOrNamesTheFileAndTheReason)
{
    CFrameConsole console;
    console.frame->RunCommand(ID_VIEW_TRACKING);
    CViewFrame& frame = *console.View(1);
    frame.resize(300, 260);
    QAction* save = SavePictureAction(frame);
    ASSERT_NE(save, nullptr);

    const std::string path = console.File("tracking.png").string();
    console.ui.files = {path, console.File("no-such-folder/tracking.png").string()};
    save->trigger();
    ASSERT_EQ(console.ui.choosers.size(), 1U);
    EXPECT_EQ(console.ui.choosers[0].mode, FileChooser::Mode::Save);
    const QImage picture(QString::fromStdString(path));
    const QWidget& view = *frame.widget();
    EXPECT_EQ(picture.size(), view.size() * view.devicePixelRatioF());
    EXPECT_TRUE(console.ui.boxes.empty());

    save->trigger();
    ASSERT_EQ(console.ui.boxes.size(), 1U);
    EXPECT_EQ(console.ui.boxes[0].rfind("Cannot write the picture " + console.File("no-such-folder/tracking.png").string() + ": ", 0), 0U)
        << console.ui.boxes[0];
    save->trigger();  // cancelled: nothing more
    EXPECT_EQ(console.ui.boxes.size(), 1U);
}

}  // namespace
}  // namespace kestrion::test
