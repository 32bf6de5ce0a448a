#include "transport/TimeIndex.h"

#include <cerrno>
#include <cstdio>

#include "transport/FileCloser.h"

namespace kestrion {
namespace {

void AppendLittleEndian(std::string& out, uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
    }
}

uint64_t LittleEndian(const unsigned char* bytes, int count)
{
    uint64_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = value << 8 | bytes[i];
    }
    return value;
}

}  // namespace

std::string TimeIndexHeader(int64_t startUnixMs)
{
    std::string header(kTimeIndexMagic);
    AppendLittleEndian(header, static_cast<uint64_t>(startUnixMs), 8);
    return header;
}

void AppendTimeIndexEntry(std::string& out, const TimeIndexEntry& entry)
{
    AppendLittleEndian(out, static_cast<uint64_t>(entry.offset), 8);
    AppendLittleEndian(out, static_cast<uint64_t>(entry.ms), 4);
}

TimeIndex ReadTimeIndex(const std::string& path, int64_t dataSize)
{
    TimeIndex index;
    const FilePtr file(std::fopen(path.c_str(), "rb"));
    if (file == nullptr) {
        index.faulty = errno != ENOENT;
        return index;
    }
    unsigned char header[kTimeIndexHeaderSize];
    if (std::fread(header, 1, sizeof header, file.get()) != sizeof header ||
        std::string_view(reinterpret_cast<const char*>(header), kTimeIndexMagic.size()) != kTimeIndexMagic) {
        index.faulty = true;
        return index;
    }
    // Whole entries a block at a time; a part entry at the end is carried to the next read.
    constexpr size_t kBlockEntries = 16384;
    std::vector<unsigned char> block(kBlockEntries * kTimeIndexEntrySize);
    for (;;) {
        const size_t count = std::fread(block.data(), 1, block.size(), file.get());
        for (size_t at = 0; at + kTimeIndexEntrySize <= count; at += kTimeIndexEntrySize) {
            const uint64_t offset = LittleEndian(&block[at], 8);
            const int64_t ms = static_cast<int64_t>(LittleEndian(&block[at + 8], 4));
            const bool ordered = index.entries.empty() || (static_cast<int64_t>(offset) > index.entries.back().offset &&
                                                           ms >= index.entries.back().ms);
            if (dataSize <= 0 || offset >= static_cast<uint64_t>(dataSize) || !ordered) {
                index.faulty = true;
                return index;
            }
            index.entries.push_back({static_cast<int64_t>(offset), ms});
        }
        if (count < block.size()) {
            index.faulty = std::ferror(file.get()) != 0;
            return index;
        }
    }
}

}  // namespace kestrion
