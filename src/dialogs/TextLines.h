#pragma once
// Small text files read line by line, with the reason when they cannot be read.
#include <cstddef>
#include <filesystem>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace kestrion {

struct TextLines {
    std::vector<std::string> lines;  // line ends ("\n", "\r\n") dropped
    int error = 0;                   // errno of a failed open or read, 0 when the file was read
};

// At most maxLines lines; a last line without a line end counts.
TextLines ReadTextLines(const std::filesystem::path& path,
                        size_t maxLines = std::numeric_limits<size_t>::max());

// "<what> <path>: <reason>", the reason from the error number.
std::string FileErrorText(std::string_view what, const std::filesystem::path& path, int error);

}  // namespace kestrion
