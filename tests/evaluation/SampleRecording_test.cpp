// The evaluation of the bundled recording, decoded as its playback decodes it.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <vector>

#include "support/TempFolder.h"
#include "evaluation/FixCollector.h"
#include "evaluation/TrackExport.h"
#include "protocol/MessageDecoder.h"
#include "protocol/PlaybackFramer.h"
#include "protocol/QuietHost.h"
#include "protocol/RecordDelivery.h"

namespace kestrion {
namespace {

struct CollectingFeed : IRecordSink {
    explicit CollectingFeed(CFixCollector& into) : collector(into) {}
    int AcceptRecord(const CMessageRecord* record) override
    {
        collector.OnRecord(*record);
        return 1;
    }
    CFixCollector& collector;
};

void Play(const char* path, CFixCollector& collector)
{
    std::ifstream file(path, std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
    ASSERT_FALSE(bytes.empty()) << path;
    ProtocolState state;
    CQuietHost host;
    CMessageDecoder decoder(state, host);
    CMessageRecord record;
    CollectingFeed feed(collector);
    CRecordDelivery delivery(decoder, record, feed, nullptr, CRecordDelivery::Line::Playback);
    CPlaybackFramer framer(delivery, host);
    framer.Accept(bytes.data(), bytes.size());
}

TEST(SampleRecording, TheReceiverStaysWithinAFewMetresOfItsPointNearMunich)
{
    CFixCollector collector({ReferenceKind::Fixed, {48.13743, 11.57549, 567.0}});
    Play(KESTRION_SAMPLES "/receiver-38400.bin", collector);
    const AccuracyFigures f = collector.Statistics().Figures();
    EXPECT_GE(f.count, 85u);  // one a second for 90 s, two frames damaged
    EXPECT_LE(f.count, 90u);
    EXPECT_LT(f.cep50, 3.0);
    EXPECT_LT(f.maxHorizontal, 6.0);
    EXPECT_LT(f.vertical95, 6.0);

    CTempFolder folder;
    const auto path = folder.Path() / "munich.gpx";
    std::string problem;
    ASSERT_TRUE(WriteGpx(path.string(), collector.Track(), "receiver-38400", problem)) << problem;
    const std::string text = ReadText(path);
    const auto count = [&text](const std::string& tag) {
        const std::regex pattern(tag);
        return static_cast<size_t>(std::distance(std::sregex_iterator(text.begin(), text.end(), pattern), {}));
    };
    EXPECT_EQ(count("<trkpt "), f.count);
    EXPECT_EQ(count("<trkseg>"), 1u);  // a fix every second, no gap
    EXPECT_NE(text.find("<time>2003-12-23T15:06:"), std::string::npos);
}

TEST(SampleRecording, TheSimulatedDriveSpreadsAboutItsMeanWithinItsRadius)
{
    CFixCollector collector({});
    Play(KESTRION_SAMPLES "/simulator-drive.bin", collector);
    const AccuracyFigures f = collector.Statistics().Figures();
    EXPECT_GT(f.count, 100u);
    EXPECT_NEAR(f.reference.latitude, 47.376887, 0.01);
    EXPECT_NEAR(f.reference.longitude, 8.541694, 0.01);
    EXPECT_NEAR(f.east.mean, 0.0, 1e-3);
    EXPECT_LT(f.maxHorizontal, 1000.0);
    EXPECT_GT(f.maxHorizontal, f.cep50);
}

}  // namespace
}  // namespace kestrion
