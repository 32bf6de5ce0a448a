#include "transport/BinaryFileSource.h"

#include <gtest/gtest.h>

#include "support/PlaybackFixtures.h"
#include "transport/FeedEvents.h"

namespace kestrion {
namespace {

using namespace fakes;
using Texts = std::vector<std::string>;

std::string AsText(const Bytes& bytes) { return {bytes.begin(), bytes.end()}; }

TEST(BinaryFileSource, PlaysAThousandBytesATickAndStopsQuietlyAtTheEnd)
{
    // 5 + 249 * 10 + 5 bytes: frames straddle the chunk borders.
    std::string content = "xxxxx";
    for (int i = 0; i < 249; ++i) {
        content += AsText(Ack(0x84));
    }
    content += "xxxxx";
    ASSERT_EQ(content.size(), 2500u);

    CMeasuredHarness h("Binary", content);
    ASSERT_EQ(h.feed.Open(), 1);
    EXPECT_EQ(h.services.timers.Of(kTickPlayback), 1);
    EXPECT_EQ(h.services.timers.registrations, std::vector<int>{1000});
    for (size_t records : {99u, 199u, 249u}) {
        h.services.timers.Fire(1);
        EXPECT_EQ(h.services.logged.size(), records);
    }
    h.services.timers.Fire(1);
    EXPECT_EQ(h.services.timers.Running(), 0);

    // One chunk notice per chunk (the program's host counts the activity); the feed stays open.
    EXPECT_EQ(h.services.host.dataActivity, 3);
    EXPECT_EQ(h.services.CountOf(FeedEvent::SourceEnded), 0u);
    EXPECT_NE(h.feed.Source(), nullptr);
}

// Recordings that cannot be played, binary or text: the box names the file and the reason.
TEST(FileSources, AMissingOrUnreadableRecordingSaysWhy)
{
    for (const char* type : {"Binary", "CSV"}) {
        CMeasuredHarness missing(MeasuredFileIni(type, "/nonexistent/track"));
        EXPECT_EQ(missing.feed.Open(), 0) << type;
        EXPECT_EQ(BoxTexts(missing.services),
                  Texts{"Source file could not be opened: /nonexistent/track: No such file or directory"})
            << type;

        CMeasuredHarness folder(MeasuredFileIni(type, "/proc/self"));
        folder.feed.Open();
        folder.PlayToEnd();
        EXPECT_EQ(BoxTexts(folder.services),
                  Texts{"Error: Could not read from file.\n\n/proc/self: Is a directory (guarded)"})
            << type;
        EXPECT_EQ(folder.services.timers.Running(), 0) << type;
    }
}

TEST(BinaryFileSource, EachSourceFramesOnItsOwnAndLogsChecksumErrors)
{
    const Bytes half = Ack(0x84);
    const CTempFile start(AsText(Bytes(half.begin(), half.begin() + 5)));
    Bytes bad = Ack(0x85);
    bad[7] ^= 1;  // checksum
    const CTempFile whole(AsText(Join({Ack(0x85), bad})));
    CMeasuredHarness h("");
    CBinaryFileSource first(h.feed, h.services, h.services, h.services.timers, h.services.decoder, start.Path());
    CBinaryFileSource second(h.feed, h.services, h.services, h.services.timers, h.services.decoder, whole.Path());
    ASSERT_EQ(first.Open(kRoleMeasured, ""), 1);
    ASSERT_EQ(second.Open(kRoleMeasured, ""), 1);

    EXPECT_NE(first.ReadRecord(), nullptr);
    EXPECT_NE(second.ReadRecord(), nullptr);
    EXPECT_EQ(h.services.logged, (std::vector<int>{11}));
    EXPECT_EQ(second.Record().ack.commandMid, 0x85);
    EXPECT_EQ(h.services.host.log, (std::vector<std::string>{"Comm: Checksum Error\n"}));

    EXPECT_EQ(second.ReadRecord(), nullptr);
    EXPECT_EQ(h.services.host.dataActivity, 2);
}

}  // namespace
}  // namespace kestrion
