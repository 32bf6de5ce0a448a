#pragma once
// Whole-file text access for small files that must never be seen half written.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kestrion {

// The file's bytes, or nothing when it cannot be opened.
std::optional<std::string> ReadFileText(const std::filesystem::path& path);

// Writes "<file>.tmp-<pid>" beside the file, syncs it and renames it over the file, creating
// the directory when needed. On failure the temporary file is removed, the old file is left
// as it was and the result is false.
bool ReplaceFileText(const std::filesystem::path& path, std::string_view text);

}  // namespace kestrion
