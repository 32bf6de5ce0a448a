// Any byte stream through both framers, the decoder and the renderer: no crash, no read
// outside a buffer, no undefined behaviour. The first byte picks the chunk size.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "protocol/MessageDecoder.h"
#include "protocol/PlaybackFramer.h"
#include "protocol/QuietHost.h"
#include "protocol/RecordDelivery.h"
#include "protocol/RecordRenderer.h"
#include "protocol/SerialFramer.h"

namespace {

using namespace kestrion;

struct RenderingSink : CQuietHost, IRecordSink, IReceiverLink {
    explicit RenderingSink(const ProtocolState& protocol) : state(protocol) {}

    void WriteLog(std::string_view line) override { written += line.size(); }
    void PostFaultText(std::string_view text) override { written += text.size(); }
    void PostReceiverText(std::string_view text) override { written += text.size(); }

    int AcceptRecord(const CMessageRecord* record) override
    {
        if (record != nullptr && RenderRecord(*record, state.generation, line)) {
            written += line.size();
        }
        return 1;
    }

    void RecordDecoded(const RecordImplications& implied) override
    {
        okToSend = implied.OkToSendAfter(okToSend).value_or(okToSend);
    }
    std::span<int, 8> PollCountdowns() override { return countdowns; }
    void PollAnswered(uint8_t, std::span<const uint8_t> answer) override { written += answer.size(); }
    bool FeedPaused() const override { return false; }

    const ProtocolState& state;
    std::string line;
    size_t written = 0;
    uint8_t okToSend = 1;
    int countdowns[8] = {60, 60, 60, 60, 60, 60, 60, 60};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) {
        return 0;
    }
    const size_t chunk = size_t{data[0]} * 16 + 1;
    ++data;
    --size;

    ProtocolState state;
    RenderingSink sink(state);
    CMessageDecoder decoder(state, sink);
    CMessageRecord record;
    CRecordDelivery delivery(decoder, record, sink, &sink, CRecordDelivery::Line::Serial);
    CSerialFramer serial(delivery, sink);
    for (size_t offset = 0; offset < size; offset += chunk) {
        delivery.TickPollAnswers();
        serial.Accept(data + offset, std::min(chunk, size - offset));
    }

    ProtocolState playbackState;
    RenderingSink playbackSink(playbackState);
    CMessageDecoder playbackDecoder(playbackState, playbackSink);
    CRecordDelivery playbackDelivery(playbackDecoder, record, playbackSink, nullptr, CRecordDelivery::Line::Playback);
    CPlaybackFramer playback(playbackDelivery, playbackSink);
    for (size_t offset = 0; offset < size; offset += 1000) {
        playback.Accept(data + offset, std::min<size_t>(1000, size - offset));
    }
    return 0;
}
