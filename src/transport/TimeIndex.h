#pragma once
// The time index beside a raw recording: when each read of the receive stream arrived.
//
// FILE.times, all numbers little-endian:
//   header, 16 bytes: the magic "KSTTIME1", then the wall-clock start of the recording as
//                     milliseconds since 1970-01-01 UTC (u64; for people, not for playback)
//   entry, 12 bytes:  the offset in FILE of the first byte of a read (u64), and the
//                     milliseconds from the start of the recording to its arrival (u32)
// Offsets rise strictly and times never fall. Reads within kCoalesceMs of the last entry
// share it. The recorder writes an entry only after its bytes reached FILE, so an index cut
// short (a kill, a full disk) never points past the data.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kestrion {

struct TimeIndexEntry {
    int64_t offset;
    int64_t ms;
};

inline constexpr std::string_view kTimeIndexMagic = "KSTTIME1";
inline constexpr size_t kTimeIndexHeaderSize = 16;
inline constexpr size_t kTimeIndexEntrySize = 12;
inline constexpr int64_t kCoalesceMs = 10;

// The index file of a recording.
inline std::string TimeIndexPath(const std::string& recording) { return recording + ".times"; }

// The header and an entry as written.
std::string TimeIndexHeader(int64_t startUnixMs);
void AppendTimeIndexEntry(std::string& out, const TimeIndexEntry& entry);

struct TimeIndex {
    std::vector<TimeIndexEntry> entries;  // those valid up to the first fault
    bool faulty = false;                  // a bad header, an entry out of order or past the data
};

// Reads the index of a recording whose data file has `dataSize` bytes. A missing file gives
// no entries and no fault; a cut-off last entry is left out without a fault.
TimeIndex ReadTimeIndex(const std::string& path, int64_t dataSize);

}  // namespace kestrion
