#pragma once
// Small text files read line by line, with the reason when they cannot be read.
#include <cstddef>
#include <filesystem>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/TextLineReader.h"

namespace kestrion {

struct TextLines {
    std::vector<std::string> lines;  // line ends ("\n", "\r\n") dropped
    std::string problem;             // why the file could not be read, empty when it was
};

// At most maxLines lines; a last line without a line end counts. A line longer than
// kMaxTextLine stops the reading with "line N: line too long".
TextLines ReadTextLines(const std::filesystem::path& path,
                        size_t maxLines = std::numeric_limits<size_t>::max());

// "<what> <path>: <problem>".
std::string FileProblemText(std::string_view what, const std::filesystem::path& path, std::string_view problem);
// "<what> <path>: <reason>", the reason from the error number.
std::string FileErrorText(std::string_view what, const std::filesystem::path& path, int error);

}  // namespace kestrion
