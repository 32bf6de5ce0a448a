#pragma once
// A raw receive stream named on the command line, as decode and epochs read it: the options
// they share, then the bytes through the serial framer (or, with --playback, the recorded-file
// framer) and the decoder to a record sink.
#include <optional>
#include <string>

#include "cli/Commands.h"
#include "protocol/ProtocolHost.h"
#include "protocol/ProtocolState.h"

namespace kestrion::cli {

struct RawStream {
    std::string path;
    FilePtr file;
    bool playback = false;
    size_t chunk = 4095;    // bytes handed to the framer at a time
    ProtocolState state;    // the generation fixed by --generation, else detected
};

// Reads --playback, --generation and the FILE (and --chunk when the command takes it) and
// opens it; on a problem tells it on stderr and gives the exit status instead.
struct OpenedStream {
    std::optional<RawStream> stream;
    int status = 0;
};
OpenedStream OpenRawStream(CCliArguments& arguments, const char* command, bool takesChunk);

// Frames and decodes the whole stream; false after a read error, told on stderr.
bool DecodeRawStream(RawStream& stream, const char* command, IProtocolHost& host, IRecordSink& sink);

}  // namespace kestrion::cli
