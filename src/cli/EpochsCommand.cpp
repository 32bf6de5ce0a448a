#include "cli/Commands.h"
#include "cli/EpochPrinter.h"
#include "cli/RawStream.h"
#include "protocol/QuietHost.h"

namespace kestrion::cli {

int RunEpochs(CCliArguments& arguments, const RunPlatform& /*platform*/)
{
    OpenedStream opened = OpenRawStream(arguments, "epochs", false);
    if (!opened.stream) {
        return opened.status;
    }
    // The stream is framed and decoded as decode does; the log's lines are not wanted here.
    CQuietHost host;
    CEpochPrinter printer(stdout);
    const bool read = DecodeRawStream(*opened.stream, "epochs", host, printer);
    printer.Finish();
    return read ? 0 : 1;
}

}  // namespace kestrion::cli
