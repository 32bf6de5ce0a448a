#include <cerrno>
#include <cstdio>
#include <vector>

#include "cli/Commands.h"
#include "cli/EpochPrinter.h"
#include "protocol/MessageDecoder.h"
#include "protocol/PlaybackFramer.h"
#include "protocol/QuietHost.h"
#include "protocol/RecordDelivery.h"
#include "protocol/SerialFramer.h"

namespace kestrion::cli {

int RunEpochs(CCliArguments& arguments)
{
    const bool playback = arguments.Has("--playback");
    const std::optional<long> generation = arguments.Integer("--generation", 1, 3);
    if (!arguments.Ok()) {
        return UsageError("epochs", arguments.Error());
    }
    if (arguments.Positional().size() != 1) {
        return UsageError("epochs", "needs exactly one FILE");
    }
    const std::string& path = arguments.Positional()[0];
    const FilePtr file = OpenInput("epochs", path, "rb");
    if (!file) {
        return 2;
    }

    ProtocolState state;
    if (generation) {
        state.generation = static_cast<int>(*generation);
        state.versionDetection = false;
    }
    // The stream is framed and decoded as decode does; the log's lines are not wanted here.
    CQuietHost host;
    CEpochPrinter printer(stdout);
    CMessageDecoder decoder(state, host);
    CMessageRecord record;
    CRecordDelivery delivery(decoder, record, printer, nullptr,
                             playback ? CRecordDelivery::Line::Playback : CRecordDelivery::Line::Serial);
    CSerialFramer serialFramer(delivery, host);
    CPlaybackFramer playbackFramer(delivery, host);

    std::vector<uint8_t> buffer(playback ? 1000 : 4095);
    size_t count = 0;
    errno = 0;
    while ((count = std::fread(buffer.data(), 1, buffer.size(), file.get())) > 0) {
        if (playback) {
            playbackFramer.Accept(buffer.data(), count);
        } else {
            serialFramer.Accept(buffer.data(), count);
        }
    }
    printer.Finish();
    if (ReportReadError("epochs", path, file.get())) {
        return 1;
    }
    return 0;
}

}  // namespace kestrion::cli
