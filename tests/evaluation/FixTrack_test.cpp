#include "evaluation/FixTrack.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "EvaluationFixes.h"
#include "evaluation/FixCollector.h"

namespace kestrion {
namespace {

using fakes::FixAt;
using fakes::kSite;

TrackEntry EntryAt(uint32_t tow)
{
    TrackEntry entry{FixAt(kSite, tow * 0.001, -1.0 / 3, 2.5, tow), {1.0f / 3, -2.0f, 1e-7f}, tow % 2 == 0};
    entry.fix.mode = 7;
    entry.fix.svCount = 12;
    entry.fix.dop = 1.0 / 7;
    return entry;
}

std::vector<TrackEntry> Entries(CFixTrack& track)
{
    std::vector<TrackEntry> entries;
    EXPECT_TRUE(track.ForEach([&entries](const TrackEntry& entry) { entries.push_back(entry); }));
    return entries;
}

TEST(FixTrack, GivesBackEveryEntryBitForBitAndCutsAtATime)
{
    CFixTrack track;
    EXPECT_TRUE(Entries(track).empty());
    for (uint32_t tow = 100; tow <= 10000; tow += 100) {
        track.Append(EntryAt(tow));
    }
    const std::vector<TrackEntry> entries = Entries(track);
    ASSERT_EQ(entries.size(), 100u);
    for (size_t i = 0; i < entries.size(); ++i) {
        const TrackEntry expected = EntryAt(static_cast<uint32_t>(100 * (i + 1)));
        const Fix& fix = entries[i].fix;
        ASSERT_EQ(fix.tow, expected.fix.tow);
        EXPECT_EQ(fix.week, expected.fix.week);
        EXPECT_EQ(fix.x, expected.fix.x);
        EXPECT_EQ(fix.latitude, expected.fix.latitude);
        EXPECT_EQ(fix.longitude, expected.fix.longitude);
        EXPECT_EQ(fix.height, expected.fix.height);
        EXPECT_EQ(fix.dop, expected.fix.dop);
        EXPECT_EQ(fix.mode, 7);
        EXPECT_EQ(fix.svCount, 12);
        EXPECT_EQ(entries[i].kept, expected.kept);
        EXPECT_EQ(entries[i].measured, expected.measured);
    }

    EXPECT_EQ(track.CountBefore(EntryAt(5050).fix), 50u);
    EXPECT_EQ(track.CountBefore(EntryAt(5000).fix), 49u);
    EXPECT_EQ(track.CountBefore(EntryAt(99999).fix), 100u);
    track.Truncate(49);
    track.Append(EntryAt(77777));
    const std::vector<TrackEntry> cut = Entries(track);
    ASSERT_EQ(cut.size(), 50u);
    EXPECT_EQ(cut[48].fix.tow, 4900u);
    EXPECT_EQ(cut[49].fix.tow, 77777u);
    EXPECT_TRUE(track.Problem().empty());
}

TEST(FixTrack, AFolderThatCannotHoldTheTrackIsNamedWhenTheTrackIsWritten)
{
    const char* before = std::getenv("TMPDIR");
    const std::string saved = before != nullptr ? before : "";
    setenv("TMPDIR", "/nonexistent-kestrion", 1);
    CFixCollector collector({}, kNeedTrack | kNeedFigures);
    CMessageRecord record;
    record.Reset(2);
    const Fix fix = FixAt(kSite, 0, 0, 0);
    record.nav.x = static_cast<int32_t>(fix.x);
    record.nav.y = static_cast<int32_t>(fix.y);
    record.nav.z = static_cast<int32_t>(fix.z);
    record.nav.mode1 = 4;
    collector.OnRecord(record);
    if (before != nullptr) {
        setenv("TMPDIR", saved.c_str(), 1);
    } else {
        unsetenv("TMPDIR");
    }
    const std::string reason = "Cannot keep the track in a temporary file in /nonexistent-kestrion: No such file or directory";
    EXPECT_EQ(collector.TrackProblem(), reason);
    EXPECT_EQ(collector.Figures().count, 1u);  // the figures do not need it
    std::string problem;
    EXPECT_FALSE(WriteGpx("/dev/null", collector.Track(), "x", problem));
    EXPECT_EQ(problem, reason);
}

}  // namespace
}  // namespace kestrion
