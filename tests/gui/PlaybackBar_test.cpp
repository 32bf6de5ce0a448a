#include "gui/PlaybackBar.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QSlider>

#include "support/PlaybackFixtures.h"
#include "app/PlaybackPosition.h"
#include "FrameConsole.h"

namespace kestrion {
namespace {

class PlaybackBarTest : public ::testing::Test {
protected:
    // A CSV recording of eleven navigation records one second apart.
    static std::string CsvIni(const test::CFrameConsole& files)
    {
        std::string navs;
        for (uint32_t tow = 100; tow <= 1100; tow += 100) {
            navs += fakes::NavLine(1200, tow);
        }
        WriteText(files.File("nav.csv"), navs);
        return fakes::MeasuredFileIni("CSV", files.File("nav.csv").string());
    }
    static CPlaybackBar& Bar(test::CFrameConsole& console)
    {
        auto* bar = console.frame->findChild<CPlaybackBar*>("playback");
        EXPECT_NE(bar, nullptr);
        return *bar;
    }
    // The CSV recording playing, and the bar shown for it.
    static CPlaybackBar& PlayCsv(test::CFrameConsole& console)
    {
        WriteText(console.File("kestrion-demo.ini"), CsvIni(console));
        console.frame->RunCommand(ID_OPEN_DATA_SOURCE);
        Bar(console).Refresh();
        return Bar(console);
    }
    static IReplayControl& Replay(test::CFrameConsole& console)
    {
        return *console.frame->Engine().CurrentDocument()->Replay();
    }
};

TEST_F(PlaybackBarTest, ShowsOnlyWhileARecordedFilePlays)
{
    test::CFrameConsole random;
    random.frame->RunCommand(ID_OPEN_DATA_SOURCE);
    ASSERT_TRUE(random.frame->Engine().DataSourceOpen());
    Bar(random).Refresh();
    EXPECT_TRUE(Bar(random).isHidden());

    test::CFrameConsole console;
    WriteText(console.File("kestrion-demo.ini"), CsvIni(console));
    Bar(console).Refresh();
    EXPECT_TRUE(Bar(console).isHidden());
    console.frame->RunCommand(ID_OPEN_DATA_SOURCE);
    Bar(console).Refresh();
    EXPECT_FALSE(Bar(console).isHidden());
    EXPECT_EQ(Bar(console).PositionLabel()->text(), "0:00 / 0:10");
    EXPECT_EQ(Bar(console).SpeedBox()->currentText(), QString::fromUtf8("×1"));

    console.frame->RunCommand(ID_OPEN_DATA_SOURCE);  // closes
    Bar(console).Refresh();
    EXPECT_TRUE(Bar(console).isHidden());
}

TEST_F(PlaybackBarTest, PauseStopsTheSourceStepPlaysOneSecondAndTheSliderSeeks)
{
    test::CFrameConsole console;
    CPlaybackBar& bar = PlayCsv(console);
    EXPECT_FALSE(bar.StepAction()->isEnabled());

    bar.PauseAction()->trigger();
    EXPECT_TRUE(Replay(console).Paused());
    EXPECT_FALSE(console.frame->State().paused);  // the views' pause is another matter
    EXPECT_TRUE(console.frame->SystemTimers().Running().empty());
    EXPECT_TRUE(bar.StepAction()->isEnabled());

    bar.StepAction()->trigger();
    EXPECT_EQ(bar.PositionLabel()->text(), "0:01 / 0:10");
    bar.Slider()->setValue(kSliderSteps / 2);
    EXPECT_EQ(bar.PositionLabel()->text(), "0:05 / 0:10");
    EXPECT_TRUE(console.frame->SystemTimers().Running().empty());  // still paused

    emit bar.SpeedBox()->activated(4);
    EXPECT_EQ(Replay(console).Speed(), ReplaySpeed::Four);
    bar.PauseAction()->trigger();
    EXPECT_FALSE(Replay(console).Paused());
    EXPECT_FALSE(console.frame->SystemTimers().Running().empty());
}

TEST_F(PlaybackBarTest, TheSpeedChosenIsStoredAndGivenToTheNextRecording)
{
    test::CFrameConsole console;
    CPlaybackBar& bar = PlayCsv(console);
    const int fixed = bar.SpeedBox()->findText("Fixed rate");
    ASSERT_EQ(fixed, bar.SpeedBox()->count() - 1);
    EXPECT_EQ(bar.SpeedBox()->findText("As fast as possible"), fixed - 1);
    emit bar.SpeedBox()->activated(fixed);
    EXPECT_EQ(Replay(console).Speed(), ReplaySpeed::Fixed);
    EXPECT_NE(ReadText(console.File("kestrion-demo.ini")).find("[Playback]\nSpeed=fixed\n"), std::string::npos);

    console.frame->RunCommand(ID_OPEN_DATA_SOURCE);  // closes
    bar.Refresh();
    console.frame->RunCommand(ID_OPEN_DATA_SOURCE);
    bar.Refresh();
    EXPECT_EQ(Replay(console).Speed(), ReplaySpeed::Fixed);
    EXPECT_EQ(bar.SpeedBox()->currentText(), "Fixed rate");

    emit bar.SpeedBox()->activated(0);
    EXPECT_NE(ReadText(console.File("kestrion-demo.ini")).find("Speed=0.25\n"), std::string::npos);
}

}  // namespace
}  // namespace kestrion
