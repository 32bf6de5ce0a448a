#include "transport/Feed.h"

#include <gtest/gtest.h>

#include "support/PlaybackFixtures.h"
#include "transport/BinaryFileSource.h"
#include "transport/FeedEvents.h"
#include "transport/RandomSource.h"
#include "transport/TextFileSource.h"

namespace kestrion {
namespace {

using namespace fakes;
using Texts = std::vector<std::string>;

const std::string kTwoNavLines = NavLine(1000, 100) + NavLine(1000, 200);

TEST(MeasuredFeed, ReadsOnlyCsvLineByLineAndEveryOtherFileTypeAsAStream)
{
    for (const char* type : {"CSV", "Binary", "Hex", "csv", ""}) {
        SCOPED_TRACE(type);
        CMeasuredHarness h(type, kTwoNavLines);
        ASSERT_EQ(h.feed.Open(), 1);
        CSource* source = h.feed.Source();
        const bool text = std::string_view(type) == "CSV";
        EXPECT_EQ(dynamic_cast<CTextFileSource*>(source) != nullptr, text);
        EXPECT_EQ(dynamic_cast<CBinaryFileSource*>(source) != nullptr, !text);
        EXPECT_EQ(source->Name(), h.file.Path());
        EXPECT_EQ(source->Role(), kRoleMeasured);
        EXPECT_EQ(h.services.timers.Running(), 1);
        EXPECT_EQ(h.services.titleRefreshes, 1);
    }
}

TEST(MeasuredFeed, RandomDataOrSourcesThatCannotOpen)
{
    struct Case {
        std::string ini;
        int opened;
        Texts boxes;
        int titleRefreshes;
    };
    const std::vector<Case> cases = {
        {"[Data Sources]\nDataSource=0\nMeasSource=7\n", 1, {}, 1},  // random data ignores the source
        {"[Data Sources]\nMeasSource=1\nMeasSerialPort=COM7\n", 0, {"No serial device in this test: /dev/ttyS6"}, 1},
        {MeasuredFileIni("Binary", "/nonexistent/kestrion.bin"), 0,
         {"Source file could not be opened: /nonexistent/kestrion.bin: No such file or directory"}, 1},
        {"[Data Sources]\nMeasSource=2\n", 0, {"Error: for measured data, check either file or serial"}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ini);
        CMeasuredHarness h(c.ini);
        EXPECT_EQ(h.feed.Open(), c.opened);
        EXPECT_EQ(dynamic_cast<CRandomSource*>(h.feed.Source()) != nullptr, c.opened == 1);
        EXPECT_EQ(BoxTexts(h.services), c.boxes);
        EXPECT_EQ(h.services.titleRefreshes, c.titleRefreshes);
    }
    CMeasuredHarness unknown("[Data Sources]\nMeasSource=2\n");
    unknown.feed.Open();
    EXPECT_EQ(unknown.services.boxes.at(0).icon, BoxIcon::Warning);
}

TEST(MeasuredFeed, WhilePausedRecordsAreKeptAndLoggedButNotAnnounced)
{
    CMeasuredHarness h("");
    const CMessageRecord* announced = nullptr;
    h.services.onBroadcast = [&](FeedEvent event, const CMessageRecord* record) {
        if (event == FeedEvent::NewRecord) {
            announced = record;
        }
    };
    CMessageRecord record;
    record.Reset(2);
    record.nav.tow = 500;

    h.feed.SetPause(true);
    EXPECT_EQ(h.feed.AcceptRecord(&record), 1);
    EXPECT_EQ(h.feed.Latest().Tow(), 500u);
    EXPECT_EQ(announced, nullptr);

    h.feed.SetPause(false);
    record.nav.tow = 600;
    EXPECT_EQ(h.feed.AcceptRecord(&record), 1);
    EXPECT_EQ(announced, &h.feed.Latest());  // the feed's copy
    EXPECT_EQ(h.feed.Latest().Tow(), 600u);
    EXPECT_EQ(h.services.logged, (std::vector<int>{2, 2}));
}

}  // namespace
}  // namespace kestrion
