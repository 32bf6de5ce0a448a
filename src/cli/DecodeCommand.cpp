#include <cerrno>
#include <cstdio>
#include <vector>

#include "platform/CliArguments.h"
#include "cli/Commands.h"
#include "cli/LogPrinter.h"
#include "protocol/MessageDecoder.h"
#include "protocol/PlaybackFramer.h"
#include "protocol/RecordDelivery.h"
#include "protocol/SerialFramer.h"

namespace kestrion::cli {

int RunDecode(CCliArguments& arguments)
{
    const bool playback = arguments.Has("--playback");
    const long chunk = arguments.Integer("--chunk", 1, 4095).value_or(playback ? 1000 : 4095);
    const std::optional<long> generation = arguments.Integer("--generation", 1, 3);
    if (!arguments.Ok()) {
        return UsageError("decode", arguments.Error());
    }
    if (arguments.Positional().size() != 1) {
        return UsageError("decode", "needs exactly one FILE");
    }
    const std::string& path = arguments.Positional()[0];
    const FilePtr file = OpenInput("decode", path, "rb");
    if (!file) {
        return 2;
    }

    ProtocolState state;
    if (generation) {
        state.generation = static_cast<int>(*generation);
        state.versionDetection = false;
    }
    CLogPrinter printer(state, stdout);
    CMessageDecoder decoder(state, printer);
    CMessageRecord record;
    CRecordDelivery delivery(decoder, record, printer, nullptr,
                             playback ? CRecordDelivery::Line::Playback : CRecordDelivery::Line::Serial);
    CSerialFramer serialFramer(delivery, printer);
    CPlaybackFramer playbackFramer(delivery, printer);

    std::vector<uint8_t> buffer(static_cast<size_t>(chunk));
    size_t count = 0;
    errno = 0;
    while ((count = std::fread(buffer.data(), 1, buffer.size(), file.get())) > 0) {
        if (playback) {
            playbackFramer.Accept(buffer.data(), count);
        } else {
            serialFramer.Accept(buffer.data(), count);
        }
    }
    if (ReportReadError("decode", path, file.get())) {
        return 1;
    }
    return 0;
}

}  // namespace kestrion::cli
