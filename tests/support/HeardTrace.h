#pragma once
// What a simulated receiver heard, line by line with the time of each, from any thread.
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace kestrion::test {

class CHeardTrace {
public:
    void Add(std::string_view line, int64_t atMs)
    {
        const std::lock_guard lock(m_mutex);
        m_lines.emplace_back(line);
        m_times.push_back(atMs);
    }
    std::vector<std::string> Lines()
    {
        const std::lock_guard lock(m_mutex);
        return m_lines;
    }
    // When the lines that begin with the prefix were heard.
    std::vector<int64_t> TimesOf(std::string_view prefix)
    {
        const std::lock_guard lock(m_mutex);
        std::vector<int64_t> times;
        for (size_t i = 0; i < m_lines.size(); ++i) {
            if (m_lines[i].starts_with(prefix)) {
                times.push_back(m_times[i]);
            }
        }
        return times;
    }

private:
    std::mutex m_mutex;
    std::vector<std::string> m_lines;
    std::vector<int64_t> m_times;
};

}  // namespace kestrion::test
