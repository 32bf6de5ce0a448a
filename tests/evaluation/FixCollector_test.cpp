#include "evaluation/FixCollector.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/TempFolder.h"
#include "evaluation/TrackExport.h"
#include "geo/Geodesy.h"

namespace kestrion {
namespace {

// A record of the type at the site moved by whole metres on the earth-centred axes.
CMessageRecord RecordAt(uint8_t type, int dx, int dy, int dz, uint8_t mode = 4)
{
    const EcefVector site = GeodeticToEcef({51.4779, -0.0015, 45.0});
    CMessageRecord record;
    record.Reset(type);
    record.nav.x = static_cast<int32_t>(site.x) + dx;
    record.nav.y = static_cast<int32_t>(site.y) + dy;
    record.nav.z = static_cast<int32_t>(site.z) + dz;
    record.nav.mode1 = mode;
    record.nav.week = 1250;
    return record;
}

TEST(FixCollector, PairsEachNavigationRecordWithTheTruthJustBeforeIt)
{
    CFixCollector collector({ReferenceKind::Truth, {}});
    collector.OnRecord(RecordAt(1, 0, 0, 0));
    collector.OnRecord(RecordAt(2, 3, 0, 4));  // 5 m from its truth
    collector.OnRecord(RecordAt(2, 0, 0, 0));  // no truth: the last one is used up
    collector.OnRecord(RecordAt(1, 0, 0, 0));
    collector.OnRecord(RecordAt(2, 0, 0, 0, 0));  // no solution; the truth goes with it
    collector.OnRecord(RecordAt(4, 0, 0, 0));
    collector.OnRecord(RecordAt(2, 1, 1, 1));

    ASSERT_EQ(collector.TrackSize(), 3u);
    EXPECT_EQ(collector.Statistics().Count(), 1u);
    EXPECT_EQ(collector.Statistics().Figures().unmatched, 2u);
    std::vector<EnuError> errors;
    EXPECT_EQ(collector.Track()([&errors](const Fix&, const EnuError& error) { errors.push_back(error); }), "");
    ASSERT_EQ(errors.size(), 3u);
    EXPECT_NEAR(std::hypot(errors[0].east, errors[0].north, errors[0].up), 5.0, 1e-3);
    EXPECT_TRUE(std::isnan(errors[1].east));
    EXPECT_TRUE(std::isnan(errors[2].up));

    CTempFolder folder;
    std::string problem;
    ASSERT_TRUE(WriteFixCsv((folder.Path() / "f.csv").string(), collector.Track(), problem));
    const std::string text = ReadText(folder.Path() / "f.csv");
    EXPECT_NE(text.find(",,,,4,0,0.0\n"), std::string::npos) << text;  // errors left empty

    collector.Reset();
    EXPECT_EQ(collector.TrackSize(), 0u);
    EXPECT_EQ(collector.Statistics().Figures().unmatched, 0u);
}

}  // namespace
}  // namespace kestrion

namespace kestrion {
namespace {

CMessageRecord NavAt(uint32_t tow, int dx)
{
    CMessageRecord record = RecordAt(2, dx, tow % 7, 0);
    record.nav.tow = tow;
    return record;
}

void Play(CFixCollector& collector, uint32_t fromTow, uint32_t toTow)
{
    for (uint32_t tow = fromTow; tow <= toTow; tow += 100) {
        collector.OnRecord(NavAt(tow, static_cast<int>(tow / 100 % 5)));
    }
}

void ExpectSameFigures(const AccuracyFigures& a, const AccuracyFigures& b)
{
    EXPECT_EQ(a.count, b.count);
    EXPECT_EQ(a.cep50, b.cep50);
    EXPECT_EQ(a.cep95, b.cep95);
    EXPECT_EQ(a.maxVertical, b.maxVertical);
    EXPECT_NEAR(a.east.deviation, b.east.deviation, 1e-9);
    EXPECT_NEAR(a.reference.latitude, b.reference.latitude, 1e-12);
}

TEST(FixCollector, KeepsOnlyWhatIsAskedForAndCountsANewPartFromTheTrack)
{
    CFixCollector collector({}, 0);
    Play(collector, 100, 1000);
    EXPECT_EQ(collector.TrackSize(), 0u);
    EXPECT_EQ(collector.Figures().count, 0u);

    collector.SetNeeds(kNeedTrack);
    Play(collector, 1100, 2000);
    EXPECT_EQ(collector.TrackSize(), 10u);
    EXPECT_EQ(collector.Figures().count, 0u);
    EXPECT_TRUE(collector.ScatterPoints().empty());

    collector.SetNeeds(kNeedTrack | kNeedFigures | kNeedScatter);
    EXPECT_EQ(collector.Figures().count, 10u);
    EXPECT_FALSE(collector.ScatterPoints().empty());
    CFixCollector straight({});
    Play(straight, 1100, 2000);
    ExpectSameFigures(collector.Figures(), straight.Figures());

    collector.SetNeeds(kNeedFigures);  // the track is let go, the figures go on
    Play(collector, 2100, 2500);
    EXPECT_EQ(collector.TrackSize(), 0u);
    EXPECT_EQ(collector.Figures().count, 15u);
    EXPECT_TRUE(collector.ScatterPoints().empty());
}

TEST(FixCollector, ASeekBackCountsEveryPositionOnceAndASeekForwardKeepsAll)
{
    CFixCollector seeking({ReferenceKind::Fixed, {51.4779, -0.0015, 45.0}});
    Play(seeking, 100, 2000);
    seeking.OnSeek();
    Play(seeking, 1000, 2000);  // played again from 10 s
    CFixCollector straight({ReferenceKind::Fixed, {51.4779, -0.0015, 45.0}});
    Play(straight, 100, 2000);
    EXPECT_EQ(seeking.TrackSize(), 20u);
    ExpectSameFigures(seeking.Figures(), straight.Figures());
    EXPECT_EQ(seeking.ScatterPoints().size(), straight.ScatterPoints().size());

    seeking.OnSeek();
    Play(seeking, 2500, 2600);
    EXPECT_EQ(seeking.TrackSize(), 22u);
    EXPECT_EQ(seeking.Figures().count, 22u);
    seeking.OnSeek();
    Play(seeking, 100, 100);  // back to the start
    EXPECT_EQ(seeking.TrackSize(), 1u);
    EXPECT_EQ(seeking.Figures().count, 1u);

    // Without a track nothing says where the new position is: the figures start afresh.
    CFixCollector figuresOnly({}, kNeedFigures);
    Play(figuresOnly, 100, 2000);
    figuresOnly.OnSeek();
    Play(figuresOnly, 1000, 1200);
    EXPECT_EQ(figuresOnly.Figures().count, 3u);
}

}  // namespace
}  // namespace kestrion
