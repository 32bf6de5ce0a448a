#pragma once
// Whole-file text access for small files that must never be seen half written.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kestrion {

// A whole file's bytes, or the error number that stopped the reading (ENOENT when missing,
// EISDIR for a folder).
struct FileContents {
    std::optional<std::string> text;
    int error = 0;
};
FileContents ReadFileContents(const std::filesystem::path& path);

// The file's bytes, or nothing when it cannot be read.
std::optional<std::string> ReadFileText(const std::filesystem::path& path);

// Why a file could not be replaced: its new file could not be created, or not be written.
struct ReplaceFailure {
    enum class Step { Create, Write } step;
    int error;
};

// Replaces the file with the text in one step: a new file of an unpredictable name is
// created beside it (never following a planted link), written, synced and renamed over it,
// and the folder synced. A symbolic link is written through to its target; the new file
// takes the old one's mode. A device or pipe is written in place. On failure the old file is
// left as it was and no temporary file stays behind.
std::optional<ReplaceFailure> ReplaceFileText(const std::filesystem::path& path, std::string_view text);

}  // namespace kestrion
