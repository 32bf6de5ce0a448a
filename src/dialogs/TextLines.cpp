#include "dialogs/TextLines.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace kestrion {
namespace {

struct CloseFile {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

TextLines ReadTextLines(const std::filesystem::path& path, size_t maxLines)
{
    TextLines result;
    const std::unique_ptr<std::FILE, CloseFile> file(std::fopen(path.c_str(), "r"));
    if (!file) {
        result.problem = std::strerror(errno);
        return result;
    }
    std::string line;
    const auto finishLine = [&] {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        result.lines.push_back(std::move(line));
        line.clear();
    };
    errno = 0;
    int c = 0;
    while (result.lines.size() < maxLines && (c = std::fgetc(file.get())) != EOF) {
        if (c == '\n') {
            finishLine();
        } else if (line.size() == kMaxTextLine) {
            result.problem = "line " + std::to_string(result.lines.size() + 1) + ": line too long";
            return result;
        } else {
            line += static_cast<char>(c);
        }
    }
    if (std::ferror(file.get())) {
        result.problem = std::strerror(errno != 0 ? errno : EIO);
        return result;
    }
    if (!line.empty() && result.lines.size() < maxLines) {
        finishLine();
    }
    return result;
}

std::string FileProblemText(std::string_view what, const std::filesystem::path& path, std::string_view problem)
{
    return std::string(what) + " " + path.string() + ": " + std::string(problem);
}

std::string FileErrorText(std::string_view what, const std::filesystem::path& path, int error)
{
    return FileProblemText(what, path, std::strerror(error));
}

}  // namespace kestrion
