#include "evaluation/FixCollector.h"

#include <gtest/gtest.h>

#include <cmath>

#include "../platform/TempFolder.h"
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

    ASSERT_EQ(collector.Fixes().size(), 3u);
    EXPECT_EQ(collector.Statistics().Count(), 1u);
    EXPECT_EQ(collector.Statistics().Figures().unmatched, 2u);
    const std::vector<EnuError> errors = collector.FixErrors();
    ASSERT_EQ(errors.size(), 3u);
    EXPECT_NEAR(std::hypot(errors[0].east, errors[0].north, errors[0].up), 5.0, 1e-3);
    EXPECT_TRUE(std::isnan(errors[1].east));
    EXPECT_TRUE(std::isnan(errors[2].up));

    CTempFolder folder;
    std::string problem;
    ASSERT_TRUE(WriteFixCsv((folder.Path() / "f.csv").string(), collector.Fixes(), errors, problem));
    const std::string text = ReadText(folder.Path() / "f.csv");
    EXPECT_NE(text.find(",,,,4,0,0.0\n"), std::string::npos) << text;  // errors left empty

    collector.Reset();
    EXPECT_TRUE(collector.Fixes().empty());
    EXPECT_EQ(collector.Statistics().Figures().unmatched, 0u);
}

}  // namespace
}  // namespace kestrion
