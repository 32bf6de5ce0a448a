#include "app/FixRecorder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "support/ScriptedPortFactory.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"
#include "support/PlaybackFixtures.h"
#include "app/Engine.h"
#include "platform/LoopTimers.h"
#include "geo/Geodesy.h"
#include "transport/StdRandom.h"

namespace kestrion {
namespace {

constexpr GeodeticPoint kSite{51.4779, -0.0015, 45.0};

// A navigation record with a 3D solution at the site moved `dx` metres along the earth's x axis.
CMessageRecord NavAt(uint32_t tow, int dx)
{
    const EcefVector site = GeodeticToEcef(kSite);
    CMessageRecord record;
    record.Reset(2);
    record.nav.mid = 2;
    record.nav.x = static_cast<int32_t>(site.x) + dx;
    record.nav.y = static_cast<int32_t>(site.y);
    record.nav.z = static_cast<int32_t>(site.z);
    record.nav.mode1 = 4;
    record.nav.week = 1250;
    record.nav.tow = tow;
    return record;
}

class FixRecorderTest : public ::testing::Test {
protected:
    void Statistics(const std::string& values) { WriteText(m_folder.Path() / "k.ini", "[Statistics]\n" + values); }

    CTempFolder m_folder;
    CProfile profile{m_folder.Path() / "k.ini"};
    fakes::CScriptedUi ui;
    bool truth = false;
    CFixRecorder recorder{profile, ui, [this] { return truth; }};
    CFixRecorder::CInterest reader{recorder, kNeedEverything};
};

TEST_F(FixRecorderTest, KeepsTheFixesOfOneOpeningAndMeasuresThemAgainstTheSettingsReference)
{
    Statistics("Ref Lat=51.4779\nRef Lon=-0.0015\nRef Alt=45\n");
    recorder.OnUpdate(UpdateHint::Opening, nullptr);
    for (uint32_t tow = 0; tow < 4; ++tow) {
        const CMessageRecord record = NavAt(tow * 100, 100);
        recorder.OnUpdate(UpdateHint::Record, &record);
    }
    recorder.OnUpdate(UpdateHint::Record, nullptr);
    ASSERT_EQ(recorder.TrackSize(), 4u);
    EXPECT_EQ(recorder.Figures().kind, ReferenceKind::Fixed);
    // 100 m along the x axis at longitude 0 is 100 m sin(latitude) to the south (the rest is up);
    // the site is rounded to whole metres.
    EXPECT_NEAR(recorder.Figures().cep50, 100 * std::sin(kSite.latitude * M_PI / 180), 1.0);

    // New settings without a point: the same fixes about their own mean, all at one place.
    Statistics("");
    recorder.OnUpdate(UpdateHint::Restarted, nullptr);
    EXPECT_EQ(recorder.Figures().kind, ReferenceKind::RunningMean);
    EXPECT_EQ(recorder.Figures().count, 4u);
    EXPECT_NEAR(recorder.Figures().cep50, 0, 0.01);

    recorder.Reset();
    EXPECT_EQ(recorder.TrackSize(), 0u);
    EXPECT_EQ(recorder.Figures().kind, ReferenceKind::RunningMean);
    const CMessageRecord record = NavAt(500, 0);
    recorder.OnUpdate(UpdateHint::Record, &record);
    recorder.OnUpdate(UpdateHint::Opening, nullptr);
    EXPECT_EQ(recorder.TrackSize(), 0u);
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(FixRecorderTest, AWrongReferenceIsReportedOnceAndTheTruthFeedWinsOverEveryPoint)
{
    Statistics("Ref Lat=north\nRef Lon=0\n");
    recorder.OnUpdate(UpdateHint::Opening, nullptr);
    recorder.OnUpdate(UpdateHint::Opening, nullptr);
    recorder.OnUpdate(UpdateHint::Restarted, nullptr);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.icons[0], BoxIcon::Warning);
    EXPECT_EQ(ui.boxes[0], "The accuracy figures use the running mean of the fixes.\n"
                           "Statistics: \"Ref Lat\" is not a number from -90 to 90: \"north\"");
    EXPECT_EQ(recorder.Figures().kind, ReferenceKind::RunningMean);

    truth = true;
    recorder.OnUpdate(UpdateHint::Opening, nullptr);
    EXPECT_EQ(recorder.Figures().kind, ReferenceKind::Truth);
    // Mended and broken again: said again.
    truth = false;
    Statistics("Ref Lat=1\nRef Lon=2\n");
    recorder.OnUpdate(UpdateHint::Opening, nullptr);
    Statistics("Ref Lat=1\nRef Lon=200\n");
    recorder.OnUpdate(UpdateHint::Opening, nullptr);
    EXPECT_EQ(ui.boxes.size(), 2u);

    // A point given by the caller: the settings are not read, the truth feed still wins.
    recorder.SetFixedReference(kSite);
    Statistics("Ref Lat=south\nRef Lon=0\n");
    recorder.OnUpdate(UpdateHint::Opening, nullptr);
    EXPECT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(recorder.Figures().kind, ReferenceKind::Fixed);
    truth = true;
    recorder.OnUpdate(UpdateHint::Opening, nullptr);
    EXPECT_EQ(recorder.Figures().kind, ReferenceKind::Truth);
}

// Nothing is kept for a run without readers; each part lives while someone asks for it.
TEST(FixRecorderInterest, KeepsNothingUnaskedAndLetsAPartGoWithItsLastReader)
{
    CTempFolder folder;
    CProfile profile{folder.Path() / "k.ini"};
    fakes::CScriptedUi ui;
    CFixRecorder recorder{profile, ui, [] { return false; }};
    const auto play = [&recorder](uint32_t from, uint32_t to) {
        for (uint32_t tow = from; tow <= to; tow += 100) {
            const CMessageRecord record = NavAt(tow, static_cast<int>(tow / 100));
            recorder.OnUpdate(UpdateHint::Record, &record);
        }
    };
    recorder.OnUpdate(UpdateHint::Opening, nullptr);
    play(100, 300);
    EXPECT_EQ(recorder.Needs(), 0u);
    EXPECT_EQ(recorder.TrackSize(), 0u);
    EXPECT_EQ(recorder.Figures().count, 0u);
    {
        const CFixRecorder::CInterest map(recorder, kNeedTrack | kNeedFigures);
        play(400, 600);
        {
            const CFixRecorder::CInterest view(recorder, kNeedEverything);
            EXPECT_EQ(recorder.Needs(), kNeedEverything);
            EXPECT_FALSE(recorder.ScatterPoints().empty());  // counted from the track
            // Played again from 5 s: each second once.
            recorder.OnUpdate(UpdateHint::Seeking, nullptr);
            play(500, 700);
            EXPECT_EQ(recorder.TrackSize(), 4u);
            EXPECT_EQ(recorder.Figures().count, 4u);
        }
        EXPECT_EQ(recorder.Needs(), kNeedTrack | kNeedFigures);
        EXPECT_TRUE(recorder.ScatterPoints().empty());
        EXPECT_EQ(recorder.Figures().count, 4u);
    }
    EXPECT_EQ(recorder.Needs(), 0u);
    EXPECT_EQ(recorder.TrackSize(), 0u);
    EXPECT_EQ(recorder.Figures().count, 0u);
}

// The engine keeps one recorder for all its documents: a played CSV recording leaves its fixes
// there, and the next opening starts afresh.
TEST(FixRecorderEngine, RecordsTheFixesOfEveryRunOfTheEngine)
{
    CTempFolder folder;
    std::string navs;
    for (uint32_t tow = 100; tow <= 500; tow += 100) {
        navs += fakes::NavLineOf(NavAt(tow, int(tow / 100)));
    }
    navs += fakes::NavLine(1250, 600);  // no solution
    WriteText(folder.Path() / "nav.csv", navs);
    WriteText(folder.Path() / "k.ini", fakes::MeasuredFileIni("CSV", (folder.Path() / "nav.csv").string()));
    fakes::CScriptedUi ui;
    CLoopTimers timers{CLoopTimers::Mode::Virtual, 1700000000};
    test::CScriptedPortFactory devices;
    CStdRandom random{7};
    CEngine engine(CProfile(folder.Path() / "k.ini"), ui, timers, timers, devices, random);
    timers.SetDispatch(engine.TimerService());
    const CFixRecorder::CInterest reader(engine.FixRecorder(), kNeedEverything);
    for (int run = 0; run < 2; ++run) {
        engine.CreateDocument();
        engine.ToggleDataSource();
        while (engine.DataSourceOpen() && timers.HasTimers() && timers.RunNext(24 * 3600 * 1000)) {
            engine.ProcessPostedMessages();
        }
        ASSERT_EQ(engine.FixRecorder().TrackSize(), 5u) << "run " << run;
        uint32_t last = 0;
        engine.FixRecorder().Track()([&last](const Fix& fix, const EnuError&) { last = fix.tow; });
        EXPECT_EQ(last, 500u);
        EXPECT_EQ(engine.FixRecorder().Figures().kind, ReferenceKind::RunningMean);
        EXPECT_GT(engine.FixRecorder().Figures().maxHorizontal, 0.5);
    }
}

}  // namespace
}  // namespace kestrion
