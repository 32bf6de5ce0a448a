#include <cerrno>
#include <cstdio>

#include "platform/CliArguments.h"
#include "cli/Commands.h"
#include "protocol/LineDecoder.h"
#include "protocol/MessageRecord.h"
#include "protocol/RecordRenderer.h"
#include "protocol/TextLineReader.h"

namespace kestrion::cli {

int RunLines(CCliArguments& arguments, const RunPlatform& /*platform*/)
{
    const long week = arguments.Integer("--week", 0, 65535).value_or(0);
    const long tow = arguments.Integer("--tow", 0, 0xFFFFFFFFL).value_or(0);
    if (!arguments.Ok()) {
        return UsageError("lines", arguments.Error());
    }
    if (arguments.Positional().size() != 1) {
        return UsageError("lines", "needs exactly one FILE");
    }
    const std::string& path = arguments.Positional()[0];
    const FilePtr file = OpenInput("lines", path, "r");
    if (!file) {
        return 2;
    }

    CTextLineReader reader(file.get());
    CMessageRecord record;
    std::string line;
    std::string error;
    std::string text;
    errno = 0;
    while (reader.Next(line)) {
        if (!DecodeLine(record, line, error, static_cast<uint16_t>(week), static_cast<uint32_t>(tow))) {
            std::fflush(stdout);
            std::fprintf(stderr, "%s\n", error.c_str());
            return 1;
        }
        // Text lines never change the generation; the default layouts apply.
        if (RenderRecord(record, -1, text)) {
            text += '\n';
            std::fwrite(text.data(), 1, text.size(), stdout);
        }
    }
    if (reader.TooLong()) {
        ReportInputProblem("lines", path, "line " + std::to_string(reader.LineNumber()) + ": line too long");
        return 1;
    }
    return ReportReadError("lines", path, file.get()) ? 1 : 0;
}

}  // namespace kestrion::cli
