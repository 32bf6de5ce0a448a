// Real receivers' captures replayed through the receive path into epochs, compared with their
// expected epochs (KESTRION_UPDATE_GOLDEN=1 writes them anew): whole, one byte at a time and at
// random splits give the same epochs.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "epoch/EpochJson.h"
#include "epoch/ReceiverState.h"
#include "protocol/MessageDecoder.h"
#include "protocol/QuietHost.h"
#include "protocol/RecordDelivery.h"
#include "protocol/SerialFramer.h"

namespace kestrion {
namespace {

const std::string kFolder = std::string(KESTRION_TEST_DATA) + "/nmea/";

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The receive path: the serial framer cuts sentences, the decoder makes text records, the
// receiver state assembles them into epochs.
class CEpochLines : public IRecordSink {
public:
    int AcceptRecord(const CMessageRecord* record) override
    {
        Print(record != nullptr ? state.Take(*record) : state.Finish());
        return 1;
    }
    void Print(const ReceiverEpoch* epoch)
    {
        if (epoch != nullptr) {
            out += EpochJsonLine(*epoch) + "\n";
        }
    }

    CReceiverState state;
    std::string out;
};

std::string Replay(const std::string& stream, const std::vector<size_t>& cuts)
{
    ProtocolState protocol;
    CQuietHost host;
    CMessageDecoder decoder(protocol, host);
    CMessageRecord record;
    CEpochLines lines;
    CRecordDelivery delivery(decoder, record, lines, nullptr, CRecordDelivery::Line::Serial);
    CSerialFramer framer(delivery, host);
    const auto* bytes = reinterpret_cast<const uint8_t*>(stream.data());
    size_t from = 0;
    for (const size_t cut : cuts) {
        framer.Accept(bytes + from, cut - from);
        from = cut;
    }
    framer.Accept(bytes + from, stream.size() - from);
    lines.AcceptRecord(nullptr);
    return lines.out;
}

class CaptureEpochs : public testing::TestWithParam<const char*> {};

TEST_P(CaptureEpochs, GiveTheirExpectedEpochsHoweverTheStreamIsCut)
{
    const std::string stream = ReadFile(kFolder + GetParam() + ".log");
    ASSERT_FALSE(stream.empty());
    const std::string whole = Replay(stream, {});
    const std::string expectedPath = kFolder + GetParam() + ".epochs.jsonl";
    if (std::getenv("KESTRION_UPDATE_GOLDEN") != nullptr) {
        std::ofstream(expectedPath, std::ios::binary) << whole;
    }
    EXPECT_EQ(whole, ReadFile(expectedPath));

    std::vector<size_t> everyByte;
    for (size_t i = 1; i < stream.size(); ++i) {
        everyByte.push_back(i);
    }
    EXPECT_EQ(Replay(stream, everyByte), whole);
    std::mt19937 random(21);
    std::vector<size_t> randomCuts;
    for (size_t at = 0; at < stream.size(); at += 1 + random() % 97) {
        randomCuts.push_back(at);
    }
    EXPECT_EQ(Replay(stream, randomCuts), whole);
}

INSTANTIATE_TEST_SUITE_P(Receivers, CaptureEpochs,
                         testing::Values("gpsd-nl2008u", "gpsd-polarx2", "gpsd-quectel-eg25-g",
                                         "gpsd-skytraq-PX1172RH_DS", "gpsd-telit-pls83-w"));

}  // namespace
}  // namespace kestrion
