#include "transport/TextFileSource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "support/PlaybackFixtures.h"
#include "transport/FeedEvents.h"

namespace kestrion {
namespace {

using namespace fakes;
using Periods = std::vector<int>;
using Texts = std::vector<std::string>;

std::string NavLines(std::initializer_list<std::pair<uint16_t, uint32_t>> times)
{
    std::string lines;
    for (const auto& [week, tow] : times) {
        lines += NavLine(week, tow);
    }
    return lines;
}

TEST(TextFileSource, PacesEachRecordByItsTimeStampOrTheTimerDelay)
{
    const std::string withoutTime = NavLine(1000, 100) + "4,A,1\n" + NavLine(1000, 300) + NavLine(1000, 900);
    struct Case {
        const char* name;
        std::string lines;
        std::string ini;
        Periods periods;  // after the first record, which comes at once
        std::vector<int> logged;
    };
    const std::vector<Case> cases = {
        {"1 s, same time and earlier at once, over a day capped",
         NavLines({{1000, 100}, {1000, 200}, {1000, 200}, {1000, 150}, {1000, 8640151}}), "",
         {1000, 0, 0, CTextFileSource::kMaxIntervalMs}, {2, 2, 2, 2, 2}},
        {"over the week end; a zero week or time takes the next record's",
         NavLines({{1000, 60479800}, {1001, 100}, {0, 500}, {1234, 700}, {1234, 0}, {1234, 900}}), "",
         {2000, 0, 2000, 0, 0}, {2, 2, 2, 2, 2, 2}},
        {"a record without time waits the timer delay", withoutTime, "[Random Data]\nTimer Delay=300\n",
         {300, 2000, 6000}, {2, 10, 2, 2}},
        {"fixed timing", withoutTime, "[Random Data]\nTimer Delay=250\n[File Data]\nExternal Timer=1\n",
         {250, 250, 250}, {2, 10, 2, 2}},
        {"comment lines are skipped without delay",
         NavLine(1000, 100) + ";comment\n" + std::string("\0x\n", 3) + NavLine(1000, 200), "", {1000}, {2, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CMeasuredHarness h("CSV", c.lines, c.ini);
        ASSERT_EQ(h.feed.Open(), 1);
        EXPECT_EQ(h.services.logged.size(), 1u);
        EXPECT_EQ(h.PlayToEnd(), c.periods);
        EXPECT_EQ(h.services.logged, c.logged);
        EXPECT_EQ(h.services.CountOf(FeedEvent::NewRecord), c.logged.size());
        // Every line read, comments too, counts as activity.
        EXPECT_EQ(h.services.dataActivity, static_cast<size_t>(std::count(c.lines.begin(), c.lines.end(), '\n')));
        EXPECT_EQ(h.services.CountOf(FeedEvent::SourceEnded), 1u);
        EXPECT_EQ(h.feed.Source(), nullptr);
    }
}

TEST(TextFileSource, AnEmptyLineEndsPlaybackWithTheDecoderError)
{
    CMeasuredHarness h("CSV", NavLines({{1000, 100}, {1000, 200}}) + "\n" + NavLine(1000, 300));
    ASSERT_EQ(h.feed.Open(), 1);
    h.PlayToEnd();
    EXPECT_EQ(BoxTexts(h.services), Texts{"Invalid data encountered. (guarded)"});
    EXPECT_EQ(h.services.logged.size(), 2u);
    EXPECT_EQ(h.services.CountOf(FeedEvent::SourceEnded), 1u);
}

TEST(TextFileSource, WithoutAFirstRecordTheSourceClosesAndTheFeedIsNotTold)
{
    CMeasuredHarness bad("CSV", "5,2,AB\n" + NavLine(1000, 100));
    EXPECT_EQ(bad.feed.Open(), 1);
    EXPECT_EQ(BoxTexts(bad.services),
              (Texts{"Item counts not equal. (guarded)", "Error: Could not read from file. (guarded)"}));
    ASSERT_NE(bad.feed.Source(), nullptr);
    EXPECT_EQ(bad.feed.Source()->IsOpen(), 0);
    EXPECT_EQ(bad.services.timers.Running(), 0);
    EXPECT_EQ(bad.services.CountOf(FeedEvent::SourceEnded), 0u);

    CMeasuredHarness empty("CSV", "");
    EXPECT_EQ(empty.feed.Open(), 1);
    EXPECT_EQ(BoxTexts(empty.services), Texts{"Error: Could not read from file. (guarded)"});

    CMeasuredHarness missing(MeasuredFileIni("CSV", "/nonexistent/kestrion.csv"));
    EXPECT_EQ(missing.feed.Open(), 0);
    EXPECT_EQ(BoxTexts(missing.services),
              Texts{"Source file could not be opened: /nonexistent/kestrion.csv: No such file or directory"});
}

// A failed read or a line beyond the limit ends the reading with one box naming the file.
TEST(TextFileSource, AnUnreadableFileOrAnEndlessLineIsSaidOnceWithItsFileAndLine)
{
    const std::string endless(200 * 1024, '\0');
    CMeasuredHarness measured("CSV", NavLines({{1000, 100}, {1000, 200}}) + endless);
    ASSERT_EQ(measured.feed.Open(), 1);
    measured.PlayToEnd();
    EXPECT_EQ(BoxTexts(measured.services),
              Texts{"Error: Could not read from file.\n\n" + measured.file.Path() + ": line 3: line too long (guarded)"});
    EXPECT_EQ(measured.services.logged.size(), 2u);
    EXPECT_EQ(measured.services.CountOf(FeedEvent::SourceEnded), 1u);

    CMeasuredHarness first("CSV", endless);
    EXPECT_EQ(first.feed.Open(), 1);
    EXPECT_EQ(BoxTexts(first.services),
              Texts{"Error: Could not read from file.\n\n" + first.file.Path() + ": line 1: line too long (guarded)"});

    // The truth role reads on demand: the first failing read says why, later ones nothing.
    CMeasuredHarness h("");
    const CTempFile truth("10,1,2,3,4,5,6\n" + endless);
    for (const auto& [path, records, problem] : {std::tuple{std::string("/proc/self"), 0, "Is a directory"},
                                                 {truth.Path(), 1, "line 2: line too long"}}) {
        h.services.boxes.clear();
        CTextFileSource source(h.feed, h.services, h.services, h.services.timers, h.profile, path);
        ASSERT_EQ(source.Open(kRoleTruth, ""), 1);
        source.Start();
        for (int i = 0; i < records; ++i) {
            EXPECT_NE(source.ReadRecord(), nullptr);
        }
        EXPECT_EQ(source.ReadRecord(), nullptr);
        EXPECT_EQ(source.ReadRecord(), nullptr);
        EXPECT_EQ(BoxTexts(h.services),
                  Texts{"Error: Could not read from file.\n\n" + path + ": " + problem + " (guarded)"});
    }
}

TEST(TextFileSource, AOneLineFileEndsWhileTheFeedOpens)
{
    CMeasuredHarness h("CSV", NavLine(1000, 100));
    EXPECT_EQ(h.feed.Open(), 0);
    EXPECT_EQ(h.services.logged.size(), 1u);
    EXPECT_EQ(h.services.CountOf(FeedEvent::SourceEnded), 1u);
    EXPECT_EQ(h.services.timers.Running(), 0);
}

TEST(TextFileSource, TheTruthRoleWaitsToBeReadAndUsesTheTruthWeekAndOffset)
{
    CMeasuredHarness h("");
    const CTempFile file("10,1,2,3,4,5,6\n");
    h.profile.WriteString("Data Sources", "TrueWeekNo", "66536");  // 1000 in 16 bits
    h.profile.WriteString("Data Sources", "TrueTOW", "100");
    CTextFileSource source(h.feed, h.services, h.services, h.services.timers, h.profile, file.Path());
    ASSERT_EQ(source.Open(kRoleTruth, ""), 1);
    source.Start();
    EXPECT_EQ(h.services.timers.Running(), 0);
    EXPECT_TRUE(h.services.logged.empty());

    const CMessageRecord* truth = source.ReadRecord();
    ASSERT_NE(truth, nullptr);
    EXPECT_EQ(truth->type, 1);
    EXPECT_EQ(truth->Week(), 1000);
    EXPECT_EQ(truth->Tow(), 1100u);
    EXPECT_EQ(source.ReadRecord(), nullptr);
}

}  // namespace
}  // namespace kestrion
