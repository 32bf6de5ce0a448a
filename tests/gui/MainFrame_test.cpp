// The main frame on the random source and on a recorded stream: its menus and toolbar from
// the command table, the marks and pictures of each state, the view slots and their frames,
// the open-views string, the data source setup and the exit question.
#include <gtest/gtest.h>

#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QToolBar>

#include "FrameConsole.h"
#include "app/DocumentView.h"

namespace kestrion::test {
namespace {

// A recorded stream of 90 seconds, played one 1000-byte chunk per tick; NMEA sentences come
// after about 40 seconds.
const std::string kRecordingIni = "[Data Sources]\nDataSource=1\nUseMeas=1\nMeasSource=0\nMeasBFileType=Hex\n"
                                  "MeasBFileName=" KESTRION_SAMPLES "/receiver-38400.bin\n";

std::string OpenViewsWith(std::initializer_list<int> open)
{
    std::string text(99, '0');
    for (const int slot : open) {
        text[static_cast<size_t>(slot)] = '1';
    }
    return text;
}

class CHintSpy : public IDocumentView {
public:
    void OnUpdate(UpdateHint hint, const CMessageRecord*) override { hints.push_back(hint); }
    std::vector<UpdateHint> hints;
};

TEST(MainFrame, MenusAndToolbarHoldTheCommandTable)
{
    CFrameConsole console;
    const std::map<Menu, QString> titles = {{Menu::Setup, "&Setup"},       {Menu::View, "&View"},
                                            {Menu::Action, "&Action"},     {Menu::Navigation, "&Navigation"},
                                            {Menu::Poll, "&Poll"},         {Menu::Window, "&Window"}};
    // Each command as "menu/submenu/label", in menu order.
    QStringList expected;
    for (const CommandInfo& command : Commands()) {
        expected << titles.at(command.menu) + "/" + QString::fromUtf8(command.submenu.data(), command.submenu.size()) +
                        "/" + QString::fromUtf8(command.label.data(), command.label.size());
    }
    QStringList shown;
    for (QAction* menuAction : console.frame->menuBar()->actions()) {
        for (QAction* item : menuAction->menu()->actions()) {
            if (item->menu() == nullptr) {
                shown << menuAction->text() + "//" + item->text();
                continue;
            }
            for (QAction* subItem : item->menu()->actions()) {
                shown << menuAction->text() + "/" + item->text() + "/" + subItem->text();
            }
        }
    }
    EXPECT_EQ(shown, expected);

    const QList<QAction*> buttons = console.frame->findChild<QToolBar*>()->actions();
    ASSERT_EQ(buttons.size(), static_cast<qsizetype>(kToolbar.size()));
    std::vector<int> images;
    for (size_t i = 0; i < kToolbar.size(); ++i) {
        if (kToolbar[i] == 0) {
            EXPECT_TRUE(buttons[static_cast<qsizetype>(i)]->isSeparator()) << i;
            continue;
        }
        EXPECT_EQ(buttons[static_cast<qsizetype>(i)], console.frame->Action(kToolbar[i])) << i;
        EXPECT_FALSE(buttons[static_cast<qsizetype>(i)]->icon().pixmap(16, 16).isNull()) << "drawn from the resources " << i;
        images.push_back(console.frame->ToolbarImage(kToolbar[i]));
    }
    EXPECT_EQ(images, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
}

TEST(MainFrame, MarksAndPicturesFollowTheState)
{
    CFrameConsole console;
    CMainFrame& frame = *console.frame;
    struct Step {
        const char* name;
        std::function<void()> act;
        std::vector<int> enabled;
        std::vector<int> disabled;
        std::vector<int> checked;
        int sourceImage;
    };
    const std::vector<int> unchecked = {ID_OPEN_DATA_SOURCE, ID_PAUSE_DISPLAY, ID_OPEN_LOG_FILE, ID_VIEW_NAVIGATION};
    const Step steps[] = {
        {"at start", [] {},
         {ID_OPEN_DATA_SOURCE, ID_OPEN_LOG_FILE, ID_VIEW_NAVIGATION, ID_DATA_SOURCE_SETUP, ID_VIEW_SIGNAL,
          ID_VIEW_TRACKING, ID_VIEW_MAP},
         {ID_PAUSE_DISPLAY, ID_POLL_VERSION, ID_NAV_MODE_MASK, ID_SWITCH_TO_ORVO, ID_CLOSE_ALL, ID_TRANSMIT},
         {}, 4},
        {"source open", [&] { frame.RunCommand(ID_OPEN_DATA_SOURCE); },
         {ID_PAUSE_DISPLAY, ID_POLL_VERSION, ID_NAV_MODE_MASK, ID_TRANSMIT, ID_SET_MESSAGE_RATE},
         {ID_SWITCH_TO_ORVO, ID_CLOSE_ALL, ID_BREVANE}, {ID_OPEN_DATA_SOURCE}, 9},
        {"paused", [&] { frame.RunCommand(ID_PAUSE_DISPLAY); }, {ID_PAUSE_DISPLAY}, {}, {ID_OPEN_DATA_SOURCE, ID_PAUSE_DISPLAY}, 9},
        {"view shown", [&] { frame.RunCommand(ID_VIEW_NAVIGATION); }, {ID_CLOSE_ALL}, {},
         {ID_OPEN_DATA_SOURCE, ID_PAUSE_DISPLAY, ID_VIEW_NAVIGATION}, 9},
        {"log open", [&] { console.OpenLog(); console.Tick(); }, {}, {},
         {ID_OPEN_DATA_SOURCE, ID_PAUSE_DISPLAY, ID_VIEW_NAVIGATION, ID_OPEN_LOG_FILE}, 9},
        {"source closed: log closed and display going on", [&] { frame.RunCommand(ID_OPEN_DATA_SOURCE); },
         {ID_OPEN_DATA_SOURCE, ID_CLOSE_ALL}, {ID_PAUSE_DISPLAY, ID_POLL_VERSION}, {ID_VIEW_NAVIGATION}, 4},
    };
    for (const Step& step : steps) {
        step.act();
        for (const int id : step.enabled) {
            EXPECT_TRUE(console.Enabled(id)) << step.name << " " << id;
        }
        for (const int id : step.disabled) {
            EXPECT_FALSE(console.Enabled(id)) << step.name << " " << id;
        }
        for (const int id : unchecked) {
            const bool shouldCheck = std::ranges::find(step.checked, id) != step.checked.end();
            EXPECT_EQ(console.Checked(id), shouldCheck) << step.name << " " << id;
        }
        EXPECT_EQ(frame.ToolbarImage(ID_OPEN_DATA_SOURCE), step.sourceImage) << step.name;
        EXPECT_EQ(frame.ToolbarImage(ID_PAUSE_DISPLAY), 5) << step.name;
    }
}

TEST(MainFrame, MenusAreMarkedAfreshBeforeTheyShow)
{
    CFrameConsole console;
    console.OpenLog();  // behind the frame's back: no turn of the loop has marked it
    ASSERT_FALSE(console.Checked(ID_OPEN_LOG_FILE));
    QMenu* action = console.frame->menuBar()->actions()[2]->menu();
    emit action->aboutToShow();
    EXPECT_TRUE(console.Checked(ID_OPEN_LOG_FILE));
}

TEST(MainFrame, PauseButtonBlinksOncePerInputWhilePausedAndClosingUnpauses)
{
    CFrameConsole console(kRecordingIni);
    CMainFrame& frame = *console.frame;
    const auto pauseImages = [&](int ticks) {
        std::vector<int> images;
        for (int i = 0; i < ticks; ++i) {
            console.Tick();
            images.push_back(frame.ToolbarImage(ID_PAUSE_DISPLAY));
        }
        return images;
    };
    frame.RunCommand(ID_OPEN_DATA_SOURCE);
    EXPECT_EQ(pauseImages(2), (std::vector<int>{5, 5})) << "not paused";
    frame.RunCommand(ID_PAUSE_DISPLAY);
    EXPECT_EQ(pauseImages(4), (std::vector<int>{8, 5, 8, 5}));
    EXPECT_EQ(pauseImages(1), std::vector<int>{8});
    frame.RunCommand(ID_PAUSE_DISPLAY);
    EXPECT_EQ(frame.ToolbarImage(ID_PAUSE_DISPLAY), 5) << "un-paused";

    frame.RunCommand(ID_PAUSE_DISPLAY);
    EXPECT_EQ(pauseImages(1), std::vector<int>{8});
    frame.RunCommand(ID_OPEN_DATA_SOURCE);
    EXPECT_FALSE(frame.State().paused);
    EXPECT_FALSE(console.Checked(ID_PAUSE_DISPLAY));
    EXPECT_EQ(frame.ToolbarImage(ID_PAUSE_DISPLAY), 5);
}

TEST(MainFrame, OpenViewsStringIsWrittenWholeOnEveryChange)
{
    struct Case {
        const char* stored;  // null: no key
        int slot;
        std::string expected;
    };
    const std::string longValue = "0000" + std::string(120, '1');
    const Case cases[] = {
        // No key: the eight receiver views are open.
        {nullptr, 5, OpenViewsWith({0, 1, 2, 3, 4, 5, 6, 7})},
        // A short value is padded, so later slots are kept too.
        {"0001", 6, OpenViewsWith({3, 6})},
        // Eight slots, stored before the statistics view: they stay, the ninth is added.
        {"10100001", kStatisticsSlot, OpenViewsWith({0, 2, 7, kStatisticsSlot})},
        {longValue.c_str(), 4, "00001" + std::string(94, '1')},
    };
    for (const Case& c : cases) {
        CFrameConsole console(std::string(kRandomIni) + (c.stored != nullptr ? std::string("[Main]\nOpenViews=") + c.stored + "\n" : ""));
        console.frame->ToggleViewSlot(c.slot, false);
        EXPECT_EQ(console.Profile().GetString("Main", "OpenViews", ""), c.expected) << c.slot;
        EXPECT_EQ(console.frame->OpenViews().Text(), c.expected);
    }
}

TEST(MainFrame, DataSourceSetupWithoutOpenViewsOpensTheReceiverViewsAndOffersCancelOnlyLater)
{
    CFrameConsole console;
    std::vector<bool> cancelOffered;
    console.ui.onDialog = [&](CDialogForm& dialog) {
        cancelOffered.push_back(dialog.CancelEnabled());
        return dialog.Ok();
    };
    console.frame->RunCommand(ID_DATA_SOURCE_SETUP);
    EXPECT_EQ(console.frame->MdiArea().subWindowList().size(), 8);
    for (int slot = 0; slot < kViewSlots; ++slot) {
        EXPECT_EQ(console.View(slot) != nullptr && console.View(slot)->isVisible(), slot != kStatisticsSlot) << slot;
    }
    console.frame->RunCommand(ID_DATA_SOURCE_SETUP);
    EXPECT_EQ(console.ui.dialogs, (std::vector<std::string>{"Data Source Setup", "Data Source Setup"}));
    EXPECT_EQ(cancelOffered, (std::vector<bool>{false, true}));
    EXPECT_EQ(console.Profile().GetString("Main", "OpenViews", "absent"), OpenViewsWith({0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_NE(console.frame->Engine().CurrentDocument(), nullptr);
}

TEST(MainFrame, DataSourceSetupRecreatesTheDocumentWithTheShownViews)
{
    CFrameConsole console(std::string(kRandomIni) + "[Main]\nOpenViews=0\n");
    CMainFrame& frame = *console.frame;
    frame.RunCommand(ID_VIEW_RESPONSE);
    frame.RunCommand(ID_VIEW_ERROR);
    frame.RunCommand(ID_VIEW_ERROR);  // hidden
    frame.RunCommand(ID_OPEN_DATA_SOURCE);
    const QPointer<CViewFrame> oldResponse = console.View(5);
    const CFeedDoc* oldDocument = frame.Engine().CurrentDocument();

    frame.RunCommand(ID_DATA_SOURCE_SETUP);
    EXPECT_TRUE(oldResponse.isNull()) << "the old document's frames are gone";
    EXPECT_NE(frame.Engine().CurrentDocument(), oldDocument);
    EXPECT_FALSE(frame.Engine().DataSourceOpen()) << "closing the document closed the source";
    ASSERT_NE(console.View(5), nullptr);
    EXPECT_FALSE(console.View(5)->isHidden());
    EXPECT_EQ(console.View(6), nullptr);
    EXPECT_EQ(frame.MdiArea().subWindowList().size(), 1);
}

TEST(MainFrame, ClosingAViewHidesItAndItsCommandShowsTheSameFrameAgain)
{
    CFrameConsole console;
    CMainFrame& frame = *console.frame;
    frame.RunCommand(ID_VIEW_ERROR);
    CViewFrame* error = console.View(6);
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->windowTitle(), "Error Message View");
    EXPECT_TRUE(console.Checked(ID_VIEW_ERROR));

    EXPECT_FALSE(error->close()) << "the frame stays";
    EXPECT_EQ(console.View(6), error);
    EXPECT_TRUE(error->isHidden());
    EXPECT_FALSE(console.Checked(ID_VIEW_ERROR));
    EXPECT_EQ(frame.OpenViews().Text()[6], '0');

    frame.RunCommand(ID_VIEW_ERROR);
    EXPECT_EQ(console.View(6), error);
    EXPECT_FALSE(error->isHidden());
    EXPECT_EQ(frame.MdiArea().activeSubWindow(), error);
    EXPECT_TRUE(console.Checked(ID_VIEW_ERROR));
    EXPECT_EQ(frame.OpenViews().Text()[6], '1');
}

TEST(MainFrame, ViewsOpenAtTheLastExitOpenAgainAfterTheDataSourceSetup)
{
    CFrameConsole console("[Data Sources]\nDataSource=0\n[Main]\nOpenViews=10100001\n");
    console.frame->RunCommand(ID_DATA_SOURCE_SETUP);
    for (int slot = 0; slot < kViewSlots; ++slot) {
        const bool open = slot == 0 || slot == 2 || slot == 7;
        EXPECT_EQ(console.View(slot) != nullptr && console.View(slot)->isVisible(), open) << slot;
    }
    EXPECT_EQ(console.frame->MdiArea().subWindowList().size(), 3);
}

TEST(MainFrame, CloseAllHidesTheShownViewsAndLeavesHiddenOnesHidden)
{
    CFrameConsole console(std::string(kRandomIni) + "[Main]\nOpenViews=0\n");
    CMainFrame& frame = *console.frame;
    EXPECT_FALSE(console.Enabled(ID_CLOSE_ALL));
    for (const int id : {ID_VIEW_NAVIGATION, ID_VIEW_RESPONSE, ID_VIEW_DGPS_STATUS}) {
        frame.RunCommand(id);
    }
    console.View(5)->close();
    frame.RunCommand(ID_CLOSE_ALL);
    for (const int slot : {3, 5, 7}) {
        ASSERT_NE(console.View(slot), nullptr) << slot;
        EXPECT_TRUE(console.View(slot)->isHidden()) << slot;
    }
    EXPECT_EQ(frame.OpenViews().Text(), OpenViewsWith({}));
    EXPECT_TRUE(console.Enabled(ID_CLOSE_ALL)) << "the views still exist";
}

TEST(MainFrame, ViewsAreArrangedOnceAtTheFirstNmeaSentence)
{
    CFrameConsole console(kRecordingIni);
    CMainFrame& frame = *console.frame;
    frame.RunCommand(ID_VIEW_NAVIGATION);
    frame.RunCommand(ID_VIEW_RESPONSE);
    frame.RunCommand(ID_VIEW_DEVELOPMENT);
    frame.RunCommand(ID_VIEW_DEVELOPMENT);  // hidden
    // Listed but never made: the error view.
    console.Profile().WriteString("Main", "OpenViews", OpenViewsWith({3, 5, 6}));
    frame.RunCommand(ID_OPEN_DATA_SOURCE);
    for (int tick = 0; tick < 60 && !frame.Engine().NmeaDisplayMode(); ++tick) {
        console.Tick();
    }
    ASSERT_TRUE(frame.Engine().NmeaDisplayMode());
    EXPECT_FALSE(console.View(3)->isHidden()) << "navigation, which NMEA fills too";
    EXPECT_FALSE(console.View(5)->isHidden()) << "response";
    ASSERT_NE(console.View(6), nullptr);
    EXPECT_TRUE(console.View(6)->isHidden()) << "error, made by the first toggle";
    EXPECT_FALSE(console.View(4)->isHidden()) << "development";
    EXPECT_EQ(frame.MdiArea().activeSubWindow(), console.View(4));
    EXPECT_FALSE(console.Enabled(ID_POLL_VERSION));
    EXPECT_TRUE(console.Enabled(ID_SWITCH_TO_ORVO));

    frame.RunCommand(ID_VIEW_NAVIGATION);
    for (int tick = 0; tick < 5; ++tick) {
        console.Tick();
    }
    EXPECT_TRUE(console.View(3)->isHidden()) << "only once per run";
}

TEST(MainFrame, PreferencesSavedRefreshTheViews)
{
    CFrameConsole console;
    console.frame->Engine().CreateDocument();
    CHintSpy spy;
    console.frame->Engine().CurrentDocument()->AddView(spy);
    console.ui.onDialog = [](CDialogForm&) { return false; };
    console.frame->RunCommand(ID_PREFERENCES);
    EXPECT_TRUE(spy.hints.empty()) << "cancelled";
    console.ui.onDialog = nullptr;
    console.frame->RunCommand(ID_PREFERENCES);
    EXPECT_EQ(spy.hints, std::vector<UpdateHint>{UpdateHint::Restarted});
    EXPECT_EQ(console.ui.dialogs, (std::vector<std::string>{"Preferences", "Preferences"}));
}

TEST(MainFrame, ExitingWithTheLogOpenAsksFirst)
{
    constexpr const char* kQuestion = "Exiting will close the log file.  Do you wish to exit?";
    struct Case {
        bool logOpen;
        BoxAnswer answer;
        bool closes;
        std::vector<std::string> boxes;
    };
    const Case cases[] = {
        {false, BoxAnswer::No, true, {}},
        {true, BoxAnswer::No, false, {kQuestion}},
        {true, BoxAnswer::Yes, true, {kQuestion}},
    };
    for (const Case& c : cases) {
        CFrameConsole console;
        if (c.logOpen) {
            console.OpenLog();
        }
        console.ui.answers = {c.answer};
        EXPECT_EQ(console.frame->close(), c.closes);
        EXPECT_EQ(console.ui.boxes, c.boxes);
        EXPECT_EQ(console.frame->Engine().Log().IsOpen(), c.logOpen && !c.closes);
        if (c.logOpen && c.closes) {
            EXPECT_NE(ReadText(console.File("test.gps")).find("\nLog file closed "), std::string::npos);
        }
    }
}

}  // namespace
}  // namespace kestrion::test
