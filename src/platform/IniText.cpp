#include "platform/IniText.h"

namespace kestrion {
namespace {

// A carriage return left at a line end (a file edited on two systems) counts as a blank.
constexpr std::string_view kBlanks = " \t\r";

std::string_view Trim(std::string_view text)
{
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::string Lower(std::string_view name)
{
    std::string lower(name);
    for (char& c : lower) {
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return lower;
}

// What one line says: a section header, a "key=value" entry, or nothing (comment, blank, other).
struct CLineMeaning {
    enum class EKind { Other, Section, Entry } kind = EKind::Other;
    std::string_view name;
    std::string_view value;
};

CLineMeaning Meaning(std::string_view line)
{
    const std::string_view text = Trim(line);
    if (text.empty() || text[0] == ';' || text[0] == '#') {
        return {};
    }
    if (text[0] == '[') {
        const size_t close = text.rfind(']');
        const size_t end = close == std::string_view::npos ? text.size() : close;
        return {CLineMeaning::EKind::Section, Trim(text.substr(1, end - 1)), {}};
    }
    const size_t equals = text.find('=');
    if (equals == std::string_view::npos) {
        return {};
    }
    return {CLineMeaning::EKind::Entry, Trim(text.substr(0, equals)), Trim(text.substr(equals + 1))};
}

}  // namespace

CIniText::CIniText(std::string_view text)
{
    m_blocks.emplace_back();
    bool newlineSeen = false;
    while (!text.empty()) {
        const size_t newline = text.find('\n');
        if (newline == std::string_view::npos) {
            Append({std::string(text), {}});
            break;
        }
        const bool crlf = newline > 0 && text[newline - 1] == '\r';
        const size_t length = crlf ? newline - 1 : newline;
        Append({std::string(text.substr(0, length)), crlf ? "\r\n" : "\n"});
        if (!newlineSeen) {
            m_newline = crlf ? "\r\n" : "\n";
            newlineSeen = true;
        }
        text.remove_prefix(newline + 1);
    }
}

void CIniText::Append(CLine line)
{
    const CLineMeaning meaning = Meaning(line.text);
    if (meaning.kind == CLineMeaning::EKind::Section) {
        m_sections.try_emplace(Lower(meaning.name), m_blocks.size());
        m_blocks.emplace_back();
    }
    m_blocks.back().lines.push_back(std::move(line));
}

std::optional<size_t> CIniText::FindBlock(std::string_view section) const
{
    const auto found = m_sections.find(Lower(section));
    return found == m_sections.end() ? std::nullopt : std::optional<size_t>(found->second);
}

std::optional<size_t> CIniText::FindKey(const CBlock& block, std::string_view key) const
{
    if (!block.keys) {
        block.keys.emplace();
        block.lastEntry = 0;
        for (size_t i = 1; i < block.lines.size(); ++i) {
            const CLineMeaning meaning = Meaning(block.lines[i].text);
            if (meaning.kind == CLineMeaning::EKind::Entry) {
                block.keys->try_emplace(Lower(meaning.name), i);
                block.lastEntry = i;
            }
        }
    }
    const auto found = block.keys->find(Lower(key));
    return found == block.keys->end() ? std::nullopt : std::optional<size_t>(found->second);
}

std::optional<std::string> CIniText::Find(std::string_view section, std::string_view key) const
{
    const std::optional<size_t> block = FindBlock(section);
    const std::optional<size_t> line = block ? FindKey(m_blocks[*block], key) : std::nullopt;
    if (!line) {
        return std::nullopt;
    }
    return std::string(Meaning(m_blocks[*block].lines[*line].text).value);
}

void CIniText::Set(std::string_view section, std::string_view key, std::string_view value)
{
    std::string entry(key);
    entry.append("=").append(value);
    std::optional<size_t> found = FindBlock(section);
    if (!found) {
        std::string header = "[";
        header.append(section).append("]");
        EndLastLine();
        found = m_blocks.size();
        m_sections.try_emplace(Lower(section), *found);
        m_blocks.push_back({{{std::move(header), m_newline}}, std::nullopt, 0});
    }
    CBlock& block = m_blocks[*found];
    if (const std::optional<size_t> line = FindKey(block, key)) {
        block.lines[*line].text = std::move(entry);
    } else {
        Insert(block, block.lastEntry + 1, std::move(entry));
    }
}

// Only the file's last line can lack its line end; it needs one before anything follows it.
void CIniText::EndLastLine()
{
    std::vector<CLine>& lines = m_blocks.back().lines;
    if (!lines.empty() && lines.back().end.empty()) {
        lines.back().end = m_newline;
    }
}

void CIniText::Insert(CBlock& block, size_t index, std::string text)
{
    if (&block == &m_blocks.back() && index == block.lines.size()) {
        EndLastLine();
    }
    block.lines.insert(block.lines.begin() + static_cast<std::ptrdiff_t>(index), {std::move(text), m_newline});
    block.keys.reset();
}

std::string CIniText::Text() const
{
    size_t size = 0;
    for (const CBlock& block : m_blocks) {
        for (const CLine& line : block.lines) {
            size += line.text.size() + line.end.size();
        }
    }
    std::string text;
    text.reserve(size);
    for (const CBlock& block : m_blocks) {
        for (const CLine& line : block.lines) {
            text += line.text;
            text += line.end;
        }
    }
    return text;
}

}  // namespace kestrion
