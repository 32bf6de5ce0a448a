#include "cli/Commands.h"
#include "cli/LogPrinter.h"
#include "cli/RawStream.h"

namespace kestrion::cli {

int RunDecode(CCliArguments& arguments, const RunPlatform& /*platform*/)
{
    OpenedStream opened = OpenRawStream(arguments, "decode", true);
    if (!opened.stream) {
        return opened.status;
    }
    RawStream& stream = *opened.stream;
    CLogPrinter printer(stream.state, stdout);
    return DecodeRawStream(stream, "decode", printer, printer) ? 0 : 1;
}

}  // namespace kestrion::cli
