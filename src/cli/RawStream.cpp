#include "cli/RawStream.h"

#include <cerrno>
#include <cstdio>
#include <vector>

#include "platform/CliArguments.h"
#include "protocol/MessageDecoder.h"
#include "protocol/PlaybackFramer.h"
#include "protocol/RecordDelivery.h"
#include "protocol/SerialFramer.h"

namespace kestrion::cli {

OpenedStream OpenRawStream(CCliArguments& arguments, const char* command, bool takesChunk)
{
    RawStream stream;
    stream.playback = arguments.Has("--playback");
    const long defaultChunk = stream.playback ? 1000 : 4095;
    stream.chunk = static_cast<size_t>(takesChunk ? arguments.Integer("--chunk", 1, 4095).value_or(defaultChunk)
                                                  : defaultChunk);
    const std::optional<long> generation = arguments.Integer("--generation", 1, 3);
    if (!arguments.Ok()) {
        return {std::nullopt, UsageError(command, arguments.Error())};
    }
    if (arguments.Positional().size() != 1) {
        return {std::nullopt, UsageError(command, "needs exactly one FILE")};
    }
    stream.path = arguments.Positional()[0];
    stream.file = OpenInput(command, stream.path, "rb");
    if (!stream.file) {
        return {std::nullopt, 2};
    }
    if (generation) {
        stream.state.generation = static_cast<int>(*generation);
        stream.state.versionDetection = false;
    }
    return {std::move(stream), 0};
}

bool DecodeRawStream(RawStream& stream, const char* command, IProtocolHost& host, IRecordSink& sink)
{
    CMessageDecoder decoder(stream.state, host);
    CMessageRecord record;
    CRecordDelivery delivery(decoder, record, sink, nullptr,
                             stream.playback ? CRecordDelivery::Line::Playback : CRecordDelivery::Line::Serial);
    CSerialFramer serialFramer(delivery, host);
    CPlaybackFramer playbackFramer(delivery, host);

    std::vector<uint8_t> buffer(stream.chunk);
    size_t count = 0;
    errno = 0;
    while ((count = std::fread(buffer.data(), 1, buffer.size(), stream.file.get())) > 0) {
        if (stream.playback) {
            playbackFramer.Accept(buffer.data(), count);
        } else {
            serialFramer.Accept(buffer.data(), count);
        }
    }
    return !ReportReadError(command, stream.path, stream.file.get());
}

}  // namespace kestrion::cli
