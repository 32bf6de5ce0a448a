#pragma once
// Where each moment of a recorded text file starts: the file offset of the first line of each
// later time stamp, found by reading the file through once.
#include <cstdint>
#include <string>
#include <vector>

#include "protocol/MessageRecord.h"

namespace kestrion {

// A record's time as hundredths of a second since the first GPS week (record week length).
inline int64_t RecordTime(const CMessageRecord& record)
{
    return int64_t{record.Week()} * kWeekLength + record.Tow();
}

class CRecordingIndex {
public:
    struct Entry {
        int64_t elapsed;  // hundredths of a second after the first time stamp
        long offset;      // of the line in the file
    };

    // Reads the file with the text source's decoding; stops at the first line that does not
    // decode. Time stamps that do not move on are left out.
    static CRecordingIndex Scan(const std::string& path, uint16_t truthWeek, uint32_t truthOffset);

    bool Empty() const { return m_entries.empty(); }
    // The first time stamp, and the last one after it (0 for an empty index).
    int64_t Start() const { return m_start; }
    int64_t Total() const { return m_entries.empty() ? 0 : m_entries.back().elapsed; }
    // The last entry at or before `elapsed`, or the first; not for an empty index.
    const Entry& At(int64_t elapsed) const;

private:
    int64_t m_start = 0;
    std::vector<Entry> m_entries;
};

}  // namespace kestrion
