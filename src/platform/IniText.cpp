#include "platform/IniText.h"

#include <algorithm>

namespace kestrion {
namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view Trim(std::string_view text)
{
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool SameName(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return std::ranges::equal(a, b, [&](char x, char y) { return lower(x) == lower(y); });
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
    bool newlineSeen = false;
    while (!text.empty()) {
        const size_t newline = text.find('\n');
        if (newline == std::string_view::npos) {
            m_lines.push_back({std::string(text), {}});
            break;
        }
        const bool crlf = newline > 0 && text[newline - 1] == '\r';
        const size_t length = crlf ? newline - 1 : newline;
        m_lines.push_back({std::string(text.substr(0, length)), crlf ? "\r\n" : "\n"});
        if (!newlineSeen) {
            m_newline = m_lines.back().end;
            newlineSeen = true;
        }
        text.remove_prefix(newline + 1);
    }
}

CIniText::CPlace CIniText::Locate(std::string_view section, std::string_view key) const
{
    CPlace place;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        const CLineMeaning meaning = Meaning(m_lines[i].text);
        if (meaning.kind == CLineMeaning::EKind::Section) {
            if (place.section) {
                break;
            }
            if (SameName(meaning.name, section)) {
                place.section = i;
                place.lastEntry = i;
            }
        } else if (meaning.kind == CLineMeaning::EKind::Entry && place.section) {
            place.lastEntry = i;
            if (SameName(meaning.name, key)) {
                place.key = i;
                break;
            }
        }
    }
    return place;
}

std::optional<std::string> CIniText::Find(std::string_view section, std::string_view key) const
{
    const CPlace place = Locate(section, key);
    if (!place.key) {
        return std::nullopt;
    }
    return std::string(Meaning(m_lines[*place.key].text).value);
}

void CIniText::Set(std::string_view section, std::string_view key, std::string_view value)
{
    const CPlace place = Locate(section, key);
    std::string entry(key);
    entry.append("=").append(value);
    if (place.key) {
        m_lines[*place.key].text = std::move(entry);
    } else if (place.section) {
        Insert(place.lastEntry + 1, std::move(entry));
    } else {
        std::string header = "[";
        header.append(section).append("]");
        Insert(m_lines.size(), std::move(header));
        Insert(m_lines.size(), std::move(entry));
    }
}

void CIniText::Insert(size_t index, std::string text)
{
    // Only the last line can lack its line end, and it is no longer last.
    if (index > 0 && m_lines[index - 1].end.empty()) {
        m_lines[index - 1].end = m_newline;
    }
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(index), {std::move(text), m_newline});
}

std::string CIniText::Text() const
{
    std::string text;
    for (const CLine& line : m_lines) {
        text += line.text;
        text += line.end;
    }
    return text;
}

}  // namespace kestrion
