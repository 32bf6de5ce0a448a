#include "app/Engine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../platform/TempFolder.h"
#include "../transport/PlaybackFixtures.h"
#include "platform/LoopTimers.h"
#include "transport/FeedEvents.h"
#include "transport/StdRandom.h"

namespace kestrion {
namespace {

struct Update {
    int64_t ms;
    int hint;
    int type;  // -1 without a record
    uint32_t tow;
    bool operator==(const Update&) const = default;
};

class CRecordingView : public IDocumentView {
public:
    explicit CRecordingView(const CLoopTimers& timers) : m_timers(timers) {}
    void OnUpdate(int hint, const CMessageRecord* record) override
    {
        updates.push_back({m_timers.ElapsedMs(), hint, record != nullptr ? record->type : -1,
                           record != nullptr ? record->Tow() : 0});
    }
    std::vector<Update> updates;

private:
    const CLoopTimers& m_timers;
};

class CScriptedUi : public IUserInterface {
public:
    BoxAnswer MessageBox(std::string_view text, BoxButtons, BoxIcon) override
    {
        boxes.emplace_back(text);
        return answer;
    }
    bool RunLogFileSettings() override { return false; }
    void RunSoftwareSelection() override {}
    std::vector<std::string> boxes;
    BoxAnswer answer = BoxAnswer::No;
};

// An engine on the virtual clock over a settings file in a temporary folder.
class EngineTest : public ::testing::Test {
protected:
    std::filesystem::path File(const std::string& name, const std::string& content)
    {
        const std::filesystem::path path = m_folder.Path() / name;
        WriteText(path, content);
        return path;
    }
    void Start(const std::string& ini)
    {
        m_engine = std::make_unique<CEngine>(CProfile(File("kestrion-demo.ini", ini)), ui, timers, timers, random);
        timers.SetDispatch(m_engine->TimerService());
        m_engine->CreateDocument();
        m_engine->CurrentDocument()->AddView(view);
    }
    // Runs until the data source closes or no timer is left.
    void Run()
    {
        m_engine->ToggleDataSource();
        while (m_engine->DataSourceOpen() && timers.HasTimers() && timers.RunNext(24 * 3600 * 1000)) {
            m_engine->ProcessPostedMessages();
        }
    }
    CEngine& Engine() { return *m_engine; }

    CTempFolder m_folder;
    CLoopTimers timers{CLoopTimers::Mode::Virtual, 1700000000};
    CScriptedUi ui;
    CStdRandom random{7};
    CRecordingView view{timers};

private:
    std::unique_ptr<CEngine> m_engine;
};

TEST_F(EngineTest, CsvPlaybackShowsEachRecordAtItsOwnTimeThenClosesTheDataSource)
{
    const auto csv = File("nav.csv", fakes::NavLine(1200, 100) + fakes::NavLine(1200, 200) + fakes::NavLine(1200, 450));
    Start("[Data Sources]\nDataSource=1\nMeasSource=0\nMeasBFileType=CSV\nMeasBFileName=" + csv.string() + "\n");
    Run();
    EXPECT_EQ(view.updates, (std::vector<Update>{
                                {0, kHintOpening, -1, 0},
                                {0, kHintRecord, 2, 100},
                                {1000, kHintRecord, 2, 200},
                                {3500, kHintRecord, 2, 450},
                            }));
    EXPECT_FALSE(Engine().DataSourceOpen());
    EXPECT_EQ(Engine().OpenSourceImage(), CEngine::kImageSourceClosed);
}

TEST_F(EngineTest, AMatchingTruthRecordIsShownBeforeItsMeasuredRecord)
{
    // Truth lines: seconds from the offset 100 (1/100 s) in week 1200.
    const auto truth = File("truth.pos", "0,1,2,3,0,0,0\n3,1,2,3,0,0,0\n20,1,2,3,0,0,0\n");
    const auto csv = File("nav.csv", fakes::NavLine(1200, 50) + fakes::NavLine(1200, 1000) + fakes::NavLine(1200, 1200));
    Start("[Data Sources]\nDataSource=1\nUseTrue=1\nTrueSource=0\nTrueFileName=" + truth.string() +
          "\nTrueWeekNo=1200\nTrueTOW=100\nMeasSource=0\nMeasBFileType=CSV\nMeasBFileName=" + csv.string() + "\n");
    Run();
    // 50 pairs with the truth at 100 (0.5 s later); 1000 finds 400 too early and 2100 too late.
    EXPECT_EQ(view.updates, (std::vector<Update>{
                                {0, kHintOpening, -1, 0},
                                {0, kHintRecord, 1, 100},
                                {0, kHintRecord, 2, 50},
                                {9500, kHintRecord, 2, 1000},
                                {11500, kHintRecord, 2, 1200},
                            }));
}

TEST_F(EngineTest, PauseHidesRecordsBlinksOnActivityAndEndsWithTheDataSource)
{
    Start("[Data Sources]\nDataSource=0\n");
    Engine().ToggleDataSource();
    Engine().TogglePause();
    timers.RunNext(1000);
    Engine().ProcessPostedMessages();
    EXPECT_EQ(view.updates, (std::vector<Update>{{0, kHintOpening, -1, 0}}));
    // Four activity notices a tick: the button image alternates four times.
    EXPECT_EQ(Engine().PauseImage(), CEngine::kImagePause);
    Engine().PostFrameMessage(WMU_DATA_ACTIVITY);
    Engine().ProcessPostedMessages();
    EXPECT_EQ(Engine().PauseImage(), CEngine::kImagePauseBlink);

    Engine().ToggleDataSource();
    EXPECT_FALSE(Engine().DisplayPaused());
    EXPECT_EQ(Engine().PauseImage(), CEngine::kImagePause);
    EXPECT_FALSE(timers.HasTimers());
}

TEST_F(EngineTest, RandomDataDeliversFourRecordsASecond)
{
    Start("[Data Sources]\nDataSource=0\nUseTrue=1\n");
    Engine().ToggleDataSource();
    timers.RunNext(1000);
    std::vector<int> types;
    for (const Update& update : view.updates) {
        types.push_back(update.type);
    }
    EXPECT_EQ(types, (std::vector<int>{-1, 4, 2, 255, 5}));
    EXPECT_FALSE(Engine().CurrentDocument()->TruthInUse());
}

TEST_F(EngineTest, ABinaryFileStopsQuietlyAndKeepsTheDataSourceOpen)
{
    const auto sample = std::filesystem::path(KESTRION_TEST_DATA) / "cli" / "faults.bin";
    Start("[Data Sources]\nDataSource=1\nMeasSource=0\nMeasBFileType=Binary\nMeasBFileName=" + sample.string() + "\n");
    Run();
    EXPECT_TRUE(Engine().DataSourceOpen());
    EXPECT_FALSE(timers.HasTimers());
    EXPECT_EQ(timers.ElapsedMs(), 4000);  // 2468 bytes in three reads; the fourth finds nothing
    EXPECT_TRUE(Engine().NmeaViewsArranged());
    EXPECT_FALSE(Engine().NmeaDisplayMode());  // the file ends with binary messages
}

TEST_F(EngineTest, OpeningWithALogOpenAsksFirstAndCancelKeepsTheSourceClosed)
{
    const auto log = File("run.gps", "");
    Start("[Data Sources]\nDataSource=0\n[Logging]\nFileName=" + log.string() + "\n");
    ASSERT_TRUE(Engine().Log().Open(false));
    ui.answer = BoxAnswer::Cancel;
    Engine().ToggleDataSource();
    EXPECT_EQ(ui.boxes, std::vector<std::string>{"Do you want to open a different log file?"});
    EXPECT_FALSE(Engine().DataSourceOpen());

    ui.answer = BoxAnswer::No;
    Engine().ToggleDataSource();
    EXPECT_TRUE(Engine().DataSourceOpen());
    EXPECT_TRUE(Engine().Log().IsOpen());
    Engine().ToggleDataSource();
    EXPECT_FALSE(Engine().Log().IsOpen());  // closing the data source closes the log
    EXPECT_NE(ReadText(log).find("\nLog file closed "), std::string::npos);
}

TEST_F(EngineTest, TitleNamesThePortAndTheOpenLog)
{
    const auto log = File("run.gps", "");
    Start("[Data Sources]\nMeasSerialPort=/dev/ttyUSB0\nMeasSerialBaud=38400\n[Logging]\nFileName=" + log.string() + "\n");
    Engine().Services().RefreshTitle();
    EXPECT_EQ(Engine().Title(), "Kestrion Demo 3.36 on /dev/ttyUSB0/38400");
    ASSERT_TRUE(Engine().Log().Open(false));
    EXPECT_EQ(Engine().Title().rfind("Kestrion Demo 3.36 on /dev/ttyUSB0/38400 -> " + log.string() + " since ", 0), 0u);
}

TEST_F(EngineTest, PostedTextsReachTheViewsWithTheirMarker)
{
    Start("[Data Sources]\nDataSource=0\n");
    CMessageRecord seen;
    struct : IDocumentView {
        void OnUpdate(int, const CMessageRecord* record) override { marker = record->faultMarker, text = record->Text(); }
        uint16_t marker = 0;
        std::string text;
    } textView;
    Engine().CurrentDocument()->AddView(textView);
    Engine().Services().PostFaultText("Comm: Unknown char: 41");
    EXPECT_EQ(textView.marker, kFaultMarker);
    EXPECT_EQ(textView.text, "Comm: Unknown char: 41");
    Engine().Services().PostReceiverText("Unk: 10");
    EXPECT_EQ(textView.marker, 0);
}

TEST_F(EngineTest, TheGuardedBoxWaitsForNewData)
{
    Start("[Data Sources]\nDataSource=0\n");
    CAppServices& services = Engine().Services();
    services.GuardedMessageBox("first", BoxButtons::Ok, BoxIcon::None);
    services.GuardedMessageBox("second", BoxButtons::Ok, BoxIcon::None);
    services.SetDataReceived();
    services.GuardedMessageBox("third", BoxButtons::Ok, BoxIcon::None);
    EXPECT_EQ(ui.boxes, (std::vector<std::string>{"first", "third"}));
}

}  // namespace
}  // namespace kestrion
