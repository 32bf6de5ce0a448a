#pragma once
// The text of an INI file, kept byte for byte: each line with its own line end, grouped in
// blocks that start at a section header (the first block holds the lines before any header).
// Sections and keys match case-insensitively. When a section name appears twice, only its
// first section counts, and within it only the first key of a name: later ones are kept in
// the text but never read or written.
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
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
    struct CBlock {
        std::vector<CLine> lines;
        // Lower-case key -> its first line; built when the block is first searched.
        mutable std::optional<std::unordered_map<std::string, size_t>> keys;
        mutable size_t lastEntry = 0;  // the last key line, or the header
    };

    std::optional<size_t> FindBlock(std::string_view section) const;
    std::optional<size_t> FindKey(const CBlock& block, std::string_view key) const;
    void Append(CLine line);
    void EndLastLine();
    void Insert(CBlock& block, size_t index, std::string text);

    std::vector<CBlock> m_blocks;
    std::unordered_map<std::string, size_t> m_sections;  // lower-case name -> first block
    std::string m_newline = "\n";                        // the file's own line end, for added lines
};

}  // namespace kestrion
