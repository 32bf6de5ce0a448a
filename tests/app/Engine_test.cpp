#include "app/Engine.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "support/ScriptedPortFactory.h"
#include "support/TempFolder.h"
#include "support/PlaybackFixtures.h"
#include "platform/LoopTimers.h"
#include "transport/FeedEvents.h"
#include "transport/StdRandom.h"
#include "app/DocumentView.h"

namespace kestrion {
namespace {

struct Update {
    int64_t ms;
    UpdateHint hint;
    int type;  // -1 without a record
    uint32_t tow;
    bool operator==(const Update&) const = default;
};
using Updates = std::vector<Update>;

// An engine on the virtual clock over a settings file in a temporary folder; it is its own
// user interface (answering every box with `answer`) and view.
class EngineTest : public ::testing::Test, public IUserInterface, public IDocumentView {
protected:
    BoxAnswer MessageBox(std::string_view text, BoxButtons, BoxIcon) override
    {
        boxes.emplace_back(text);
        return answer;
    }
    int Ask(std::string_view, std::string_view, const std::vector<std::string>&) override { return 0; }
    std::string ChooseFile(const FileChooser&) override { return {}; }
    bool RunDialog(CDialogForm& dialog) override
    {
        dialogs.push_back(dialog.Title());
        return false;
    }
    void OnUpdate(UpdateHint hint, const CMessageRecord* record) override
    {
        updates.push_back({timers.ElapsedMs(), hint, record != nullptr ? record->type : -1,
                           record != nullptr ? record->Tow() : 0});
    }

    std::string File(const std::string& name, const std::string& content)
    {
        WriteText(m_folder.Path() / name, content);
        return (m_folder.Path() / name).string();
    }
    CEngine& Start(const std::string& ini)
    {
        m_engine = std::make_unique<CEngine>(CProfile(File("kestrion-demo.ini", ini)), *this, timers, timers, devices, random);
        timers.SetDispatch(m_engine->TimerService());
        m_engine->CreateDocument();
        m_engine->CurrentDocument()->AddView(*this);
        return *m_engine;
    }
    // Opens the data source and runs until it closes or no timer is left.
    void Run()
    {
        m_engine->ToggleDataSource();
        while (m_engine->DataSourceOpen() && timers.HasTimers() && timers.RunNext(24 * 3600 * 1000)) {
            m_engine->ProcessPostedMessages();
        }
    }

    CTempFolder m_folder;
    CLoopTimers timers{CLoopTimers::Mode::Virtual, 1700000000};
    test::CScriptedPortFactory devices;
    CStdRandom random{7};
    std::unique_ptr<CEngine> m_engine;
    std::vector<std::string> boxes;
    std::vector<std::string> dialogs;
    BoxAnswer answer = BoxAnswer::No;
    Updates updates;
};

struct CsvCase {
    bool truth;
    std::vector<uint32_t> tows;
    Updates expected;
};
void PrintTo(const CsvCase& csv, std::ostream* out) { *out << (csv.truth ? "with truth" : "measured only"); }
class CsvPlayback : public EngineTest, public testing::WithParamInterface<CsvCase> {};

// Each record shows at its own time, a matching truth record before its measured one; at the
// end the views hear of it and the data source closes. Truth lines: seconds from the offset 100 (1/100 s) in week 1200.
TEST_P(CsvPlayback, PacesTheRecordsAndShowsAMatchingTruthFirst)
{
    std::string navs, settings = "[Data Sources]\nDataSource=1\nMeasSource=0\nMeasBFileType=CSV\n";
    for (uint32_t tow : GetParam().tows) {
        navs += fakes::NavLine(1200, tow);
    }
    if (GetParam().truth) {
        settings += "UseTrue=1\nTrueSource=0\nTrueWeekNo=1200\nTrueTOW=100\nTrueFileName=" +
                    File("truth.pos", "0,1,2,3,0,0,0\n3,1,2,3,0,0,0\n20,1,2,3,0,0,0\n") + "\n";
    }
    CEngine& engine = Start(settings + "MeasBFileName=" + File("nav.csv", navs) + "\n");
    Run();
    EXPECT_EQ(updates, GetParam().expected);
    EXPECT_FALSE(engine.DataSourceOpen());
    EXPECT_EQ(engine.OpenSourceImage(), CEngine::kImageSourceClosed);
}

// With the truth, 50 pairs with the truth at 100 (0.5 s later); 1000 finds 400 too early and
// 2100 too late.
INSTANTIATE_TEST_SUITE_P(
    Engine, CsvPlayback,
    testing::Values(CsvCase{false, {100, 200, 450}, {{0, UpdateHint::Opening, -1, 0}, {0, UpdateHint::Record, 2, 100},
                                                     {1000, UpdateHint::Record, 2, 200}, {3500, UpdateHint::Record, 2, 450},
                                                     {3500, UpdateHint::SourceEnded, -1, 0}}},
                    CsvCase{true, {50, 1000, 1200}, {{0, UpdateHint::Opening, -1, 0}, {0, UpdateHint::Record, 1, 100},
                                                     {0, UpdateHint::Record, 2, 50}, {9500, UpdateHint::Record, 2, 1000},
                                                     {11500, UpdateHint::Record, 2, 1200},
                                                     {11500, UpdateHint::SourceEnded, -1, 0}}}));

TEST_F(EngineTest, PauseHidesRecordsBlinksOnActivityAndEndsWithTheDataSource)
{
    CEngine& engine = Start("[Data Sources]\nDataSource=0\n");
    engine.ToggleDataSource();
    engine.TogglePause();
    timers.RunNext(1000);
    engine.ProcessPostedMessages();
    EXPECT_EQ(updates, (Updates{{0, UpdateHint::Opening, -1, 0}}));
    // Four activity notices a tick: the button image alternates four times.
    EXPECT_EQ(engine.PauseImage(), CEngine::kImagePause);
    engine.Services().DataActivity();
    engine.ProcessPostedMessages();
    EXPECT_EQ(engine.PauseImage(), CEngine::kImagePauseBlink);

    engine.ToggleDataSource();
    EXPECT_FALSE(engine.State().paused);
    EXPECT_EQ(engine.PauseImage(), CEngine::kImagePause);
    EXPECT_FALSE(timers.HasTimers());
}

TEST_F(EngineTest, RandomDataDeliversFourRecordsASecondWithoutTruth)
{
    CEngine& engine = Start("[Data Sources]\nDataSource=0\nUseTrue=1\n");
    engine.ToggleDataSource();
    timers.RunNext(1000);
    std::vector<int> types;
    for (const Update& update : updates) {
        types.push_back(update.type);
    }
    EXPECT_EQ(types, (std::vector<int>{-1, 4, 2, 255, 5}));
    EXPECT_FALSE(engine.CurrentDocument()->TruthInUse());
}

TEST_F(EngineTest, ABinaryFileStopsQuietlyAndKeepsTheDataSourceOpen)
{
    const auto sample = std::filesystem::path(KESTRION_TEST_DATA) / "cli" / "faults.bin";
    CEngine& engine = Start("[Data Sources]\nDataSource=1\nMeasSource=0\nMeasBFileType=Binary\nMeasBFileName=" +
                            sample.string() + "\n");
    Run();
    EXPECT_TRUE(engine.DataSourceOpen());
    EXPECT_FALSE(timers.HasTimers());
    EXPECT_EQ(timers.ElapsedMs(), 4000);  // 2468 bytes in three reads; the fourth finds nothing
    EXPECT_TRUE(engine.NmeaViewsArranged());
    EXPECT_FALSE(engine.NmeaDisplayMode());  // the file ends with binary messages
}

// The status bar's activity: a binary recording plays in its receiver time and says when it
// has played to its end; a text file that ended and closed is said until the next opening.
TEST_F(EngineTest, TheActivityTextSaysWhatPlaysAndWhenARecordingHasEnded)
{
    const auto sample = std::filesystem::path(KESTRION_SAMPLES) / "receiver-38400.bin";
    CEngine& engine = Start("[Data Sources]\nDataSource=1\nMeasSource=0\nMeasBFileType=Binary\nMeasBFileName=" +
                            sample.string() + "\n");
    EXPECT_EQ(engine.ActivityText(), "");
    engine.ToggleDataSource();
    EXPECT_EQ(engine.ActivityText(), "Playing receiver-38400.bin 0:00 / 1:29");
    while (timers.ElapsedMs() < 30500 && timers.RunNext(24 * 3600 * 1000)) {
        engine.ProcessPostedMessages();
    }
    // Half a minute on the clock is half a minute of the recording, give or take a message.
    EXPECT_TRUE(engine.ActivityText().starts_with("Playing receiver-38400.bin 0:3")) << engine.ActivityText();
    EXPECT_TRUE(engine.ActivityText().ends_with(" / 1:29")) << engine.ActivityText();
    while (timers.HasTimers() && timers.RunNext(24 * 3600 * 1000)) {
        engine.ProcessPostedMessages();
    }
    EXPECT_TRUE(engine.DataSourceOpen());
    EXPECT_EQ(engine.ActivityText(), "receiver-38400.bin played to its end");
    engine.ToggleDataSource();
    EXPECT_EQ(engine.ActivityText(), "");

    std::string navs;
    for (uint32_t tow : {100u, 200u}) {
        navs += fakes::NavLine(1200, tow);
    }
    Start("[Data Sources]\nDataSource=1\nMeasSource=0\nMeasBFileType=CSV\nMeasBFileName=" +
          File("nav.csv", navs) + "\n");
    Run();
    EXPECT_FALSE(m_engine->DataSourceOpen());
    EXPECT_EQ(m_engine->ActivityText(), "nav.csv played to its end");
    EXPECT_FALSE(m_engine->State().recording);
    EXPECT_FALSE(m_engine->State().sharing);
}

// A recording whose folder vanishes stops with the file and the reason in a box and in the
// log; sharing on an address in use is refused with the address and the reason.
TEST_F(EngineTest, TheStreamsOutTellWhyTheyStopOrCannotStart)
{
    CEngine& engine = Start("[Data Sources]\nDataSource=0\n");
    const std::filesystem::path folder = m_folder.Path() / "usb";
    std::filesystem::create_directory(folder);
    const std::string path = (folder / "roof.bin").string();
    ASSERT_EQ(engine.Streams().StartRecording(path), "");
    EXPECT_TRUE(engine.State().recording);
    std::filesystem::remove_all(folder);
    for (int wait = 0; wait < 500 && engine.Streams().Recording(); ++wait) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    engine.ProcessPostedMessages();
    EXPECT_FALSE(engine.State().recording);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].starts_with("Recording to " + path + " stopped: ")) << boxes[0];
    EXPECT_EQ(engine.Streams().RecordingFailure(), boxes[0]);

    ASSERT_EQ(engine.Streams().StartSharing("tcp://127.0.0.1:0", false), "");
    const std::string address = engine.Streams().SharingAddress();
    CStreamOutputs other(engine.Services());
    const std::string refused = other.StartSharing(address, false);
    EXPECT_NE(refused.find(address), std::string::npos) << refused;
    EXPECT_NE(refused.find("Address already in use"), std::string::npos) << refused;
    engine.Streams().StopSharing();
    EXPECT_FALSE(engine.State().sharing);
}

TEST_F(EngineTest, OpeningWithALogOpenAsksFirstAndCancelKeepsTheSourceClosed)
{
    const std::string log = File("run.gps", "");
    CEngine& engine = Start("[Data Sources]\nDataSource=0\n[Logging]\nFileName=" + log + "\n");
    ASSERT_TRUE(engine.Log().Open(false));
    answer = BoxAnswer::Cancel;
    engine.ToggleDataSource();
    EXPECT_EQ(boxes, std::vector<std::string>{"Do you want to open a different log file?"});
    EXPECT_FALSE(engine.DataSourceOpen());

    answer = BoxAnswer::No;
    engine.ToggleDataSource();
    EXPECT_TRUE(engine.DataSourceOpen());
    EXPECT_TRUE(engine.Log().IsOpen());
    engine.ToggleDataSource();
    EXPECT_FALSE(engine.Log().IsOpen());  // closing the data source closes the log
    EXPECT_NE(ReadText(log).find("\nLog file closed "), std::string::npos);
}

// The title names the port and the open log; posted texts reach the views with their marker;
// the guarded box waits for new data.
TEST_F(EngineTest, ServicesNameTheTitlePostTextsAndGuardTheBox)
{
    const std::string log = File("run.gps", "");
    CEngine& engine = Start("[Data Sources]\nMeasSerialPort=/dev/ttyUSB0\nMeasSerialBaud=38400\n[Logging]\nFileName=" +
                            log + "\n");
    CAppServices& services = engine.Services();
    services.RefreshTitle();
    EXPECT_EQ(engine.Title(), "Kestrion Demo 3.36 on /dev/ttyUSB0/38400");
    ASSERT_TRUE(engine.Log().Open(false));
    EXPECT_TRUE(engine.Title().starts_with("Kestrion Demo 3.36 on /dev/ttyUSB0/38400 -> " + log + " since "));

    struct : IDocumentView {
        void OnUpdate(UpdateHint, const CMessageRecord* record) override { marker = record->faultMarker, text = record->Text(); }
        uint16_t marker = 0;
        std::string text;
    } textView;
    engine.CurrentDocument()->AddView(textView);
    services.PostFaultText("Comm: Unknown char: 41");
    EXPECT_EQ(textView.marker, kFaultMarker);
    EXPECT_EQ(textView.text, "Comm: Unknown char: 41");
    services.PostReceiverText("Unk: 10");
    EXPECT_EQ(textView.marker, 0);

    services.GuardedMessageBox("first", BoxButtons::Ok, BoxIcon::None);
    services.GuardedMessageBox("second", BoxButtons::Ok, BoxIcon::None);
    services.SetDataReceived();
    services.GuardedMessageBox("third", BoxButtons::Ok, BoxIcon::None);
    EXPECT_EQ(boxes, (std::vector<std::string>{"first", "third"}));
}

// Receiver commands show their dialogs only for a receiver on a serial port, and those that
// need an open data source only while it is open.
TEST_F(EngineTest, ReceiverDialogsNeedASerialReceiver)
{
    CEngine& engine = Start("[Data Sources]\nDataSource=0\nMeasSource=1\n");
    engine.ToggleDataSource();
    ASSERT_TRUE(engine.DataSourceOpen());
    for (const CommandInfo& command : Commands()) {
        if (command.handler == Handler::Receiver) {
            engine.Execute(command.id);
        }
    }
    engine.ProcessPostedMessages();
    EXPECT_TRUE(dialogs.empty()) << dialogs.front();

    CEngine& serial = Start("[Data Sources]\nDataSource=1\nMeasSource=1\nMeasSerialPort=/dev/null/none\n");
    for (const int id : {ID_INITIALIZE, ID_SWITCH_TO_NMEA, ID_TRANSMIT, ID_SET_ALMANAC}) {
        serial.Execute(id);
    }
    EXPECT_TRUE(dialogs.empty()) << "the data source is closed";
    serial.Execute(ID_NAV_DOP_MASK);
    EXPECT_EQ(dialogs, std::vector<std::string>{"DOP Mask Control: Default"})
        << "the menu disables it; the command itself only needs the serial setting";
}

// A seek back in the recording reads the truth file again: the first record finds its truth
// once more. The position is in hundredths after the first time stamp.
TEST_F(EngineTest, ASeekBackFindsTheTruthAgainAndWaitsWhilePaused)
{
    std::string settings = "[Data Sources]\nDataSource=1\nMeasSource=0\nMeasBFileType=CSV\n"
                           "UseTrue=1\nTrueSource=0\nTrueWeekNo=1200\nTrueTOW=100\nTrueFileName=" +
                           File("truth.pos", "0,1,2,3,0,0,0\n") + "\n";
    CEngine& engine = Start(settings + "MeasBFileName=" +
                            File("nav.csv", fakes::NavLine(1200, 50) + fakes::NavLine(1200, 1000) +
                                                fakes::NavLine(1200, 1100)) + "\n");
    engine.ToggleDataSource();
    CFeedDoc& document = *engine.CurrentDocument();
    ASSERT_NE(document.Replay(), nullptr);
    timers.RunNext(24 * 3600 * 1000);  // 1000: no truth left for it
    EXPECT_EQ(updates.back(), (Update{9500, UpdateHint::Record, 2, 1000}));
    EXPECT_EQ(document.Replay()->Position().at, 950);

    document.Replay()->Pause();
    updates.clear();
    ASSERT_TRUE(document.SeekReplay(0));
    EXPECT_FALSE(timers.HasTimers());  // paused: nothing comes
    document.Replay()->Resume();
    timers.RunNext(24 * 3600 * 1000);
    // The views hear of the seek before the records of the new position.
    EXPECT_EQ(updates, (Updates{{9500, UpdateHint::Seeking, -1, 0}, {9500, UpdateHint::Record, 1, 100}, {9500, UpdateHint::Record, 2, 50}}));
}

TEST_F(EngineTest, OnlyARecordedFileOffersPlaybackControls)
{
    CEngine& engine = Start("[Data Sources]\nDataSource=0\n");
    engine.ToggleDataSource();
    EXPECT_EQ(engine.CurrentDocument()->Replay(), nullptr);
    EXPECT_FALSE(engine.CurrentDocument()->SeekReplay(0));
}

}  // namespace
}  // namespace kestrion
