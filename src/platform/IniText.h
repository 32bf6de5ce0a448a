#pragma once
// The text of an INI file as a list of lines, each kept byte for byte with its own line end.
// Sections and keys match case-insensitively; only the first section of a name and the first
// key of a name within it count.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrion {

class CIniText {
public:
    explicit CIniText(std::string_view text);

    // The value with its surrounding blanks removed, or nothing when the key is missing.
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;

    // Replaces the key's line in place, or adds the key after the last key of its section,
    // or adds the section at the end.
    void Set(std::string_view section, std::string_view key, std::string_view value);

    std::string Text() const;

private:
    struct CLine {
        std::string text;
        std::string end;  // "\n", "\r\n", or empty for an unterminated last line
    };
    struct CPlace {
        std::optional<size_t> section;   // the section's header line
        std::optional<size_t> key;       // the key's line
        size_t lastEntry = 0;            // the section's last key line, or its header
    };

    CPlace Locate(std::string_view section, std::string_view key) const;
    void Insert(size_t index, std::string text);

    std::vector<CLine> m_lines;
    std::string m_newline = "\n";  // the file's own line end, for added lines
};

}  // namespace kestrion
