#include "evaluation/FixTrack.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <utility>
#include <vector>

namespace kestrion {
namespace {

// Week, time, mode with the measured bit, satellites, seven doubles, the kept error.
constexpr size_t kEntrySize = 2 + 4 + 1 + 1 + 7 * 8 + 3 * 4;
static_assert(kEntrySize == 76);
constexpr size_t kReadEntries = 4096;

std::string TemporaryFolder()
{
    const char* folder = std::getenv("TMPDIR");
    return folder != nullptr && *folder != '\0' ? folder : "/tmp";
}

template <typename T>
unsigned char* Put(unsigned char* at, const T& value)
{
    std::memcpy(at, &value, sizeof value);
    return at + sizeof value;
}

template <typename T>
const unsigned char* Get(const unsigned char* at, T& value)
{
    std::memcpy(&value, at, sizeof value);
    return at + sizeof value;
}

void Encode(const TrackEntry& entry, unsigned char* at)
{
    const Fix& fix = entry.fix;
    at = Put(at, fix.week);
    at = Put(at, fix.tow);
    // The mode takes the low three bits.
    at = Put(at, static_cast<uint8_t>(fix.mode | (entry.measured ? 0x80 : 0)));
    at = Put(at, fix.svCount);
    for (const double value : {fix.x, fix.y, fix.z, fix.latitude, fix.longitude, fix.height, fix.dop}) {
        at = Put(at, value);
    }
    for (const float value : entry.kept) {
        at = Put(at, value);
    }
}

void Decode(const unsigned char* at, TrackEntry& entry)
{
    Fix& fix = entry.fix;
    uint8_t mode = 0;
    at = Get(at, fix.week);
    at = Get(at, fix.tow);
    at = Get(at, mode);
    at = Get(at, fix.svCount);
    for (double* value : {&fix.x, &fix.y, &fix.z, &fix.latitude, &fix.longitude, &fix.height, &fix.dop}) {
        at = Get(at, *value);
    }
    for (float& value : entry.kept) {
        at = Get(at, value);
    }
    fix.mode = mode & 0x7f;
    entry.measured = (mode & 0x80) != 0;
}

}  // namespace

CFixTrack::~CFixTrack()
{
    if (m_file != nullptr) {
        std::fclose(m_file);
    }
}

CFixTrack::CFixTrack(CFixTrack&& other) noexcept
    : m_file(std::exchange(other.m_file, nullptr)), m_size(std::exchange(other.m_size, 0)),
      m_problem(std::move(other.m_problem))
{
}

CFixTrack& CFixTrack::operator=(CFixTrack&& other) noexcept
{
    if (this != &other) {
        if (m_file != nullptr) {
            std::fclose(m_file);
        }
        m_file = std::exchange(other.m_file, nullptr);
        m_size = std::exchange(other.m_size, 0);
        m_problem = std::move(other.m_problem);
    }
    return *this;
}

void CFixTrack::Fail(int error)
{
    if (m_problem.empty()) {
        m_problem = "Cannot keep the track in a temporary file in " + TemporaryFolder() + ": " +
                    std::strerror(error != 0 ? error : EIO);
    }
}

bool CFixTrack::Open()
{
    if (m_file != nullptr) {
        return true;
    }
    std::string name = TemporaryFolder() + "/kestrion-track-XXXXXX";
    const int descriptor = mkstemp(name.data());
    if (descriptor < 0) {
        Fail(errno);
        return false;
    }
    unlink(name.c_str());
    m_file = fdopen(descriptor, "w+b");
    if (m_file == nullptr) {
        Fail(errno);
        close(descriptor);
        return false;
    }
    return true;
}

void CFixTrack::Append(const TrackEntry& entry)
{
    if (!m_problem.empty() || !Open()) {
        return;
    }
    unsigned char bytes[kEntrySize];
    Encode(entry, bytes);
    errno = 0;
    if (std::fwrite(bytes, 1, kEntrySize, m_file) != kEntrySize) {
        Fail(errno);
        return;
    }
    ++m_size;
}

bool CFixTrack::Flush()
{
    errno = 0;
    if (m_file != nullptr && std::fflush(m_file) != 0) {
        Fail(errno);
        return false;
    }
    return true;
}

void CFixTrack::Truncate(size_t count)
{
    if (count >= m_size || !Flush()) {
        return;
    }
    m_size = count;
    const auto length = static_cast<off_t>(count * kEntrySize);
    if (ftruncate(fileno(m_file), length) != 0 || std::fseek(m_file, static_cast<long>(length), SEEK_SET) != 0) {
        Fail(errno);
    }
}

bool CFixTrack::ReadAt(size_t index, TrackEntry& entry)
{
    unsigned char bytes[kEntrySize];
    const auto offset = static_cast<off_t>(index * kEntrySize);
    errno = 0;
    if (pread(fileno(m_file), bytes, kEntrySize, offset) != static_cast<ssize_t>(kEntrySize)) {
        Fail(errno);
        return false;
    }
    Decode(bytes, entry);
    return true;
}

size_t CFixTrack::CountBefore(const Fix& fix)
{
    if (m_size == 0 || !Flush()) {
        return m_size;
    }
    size_t first = 0, last = m_size;
    TrackEntry entry;
    while (first < last) {
        const size_t middle = first + (last - first) / 2;
        if (!ReadAt(middle, entry)) {
            return m_size;
        }
        if (HundredthsBetween(entry.fix, fix) > 0) {
            first = middle + 1;
        } else {
            last = middle;
        }
    }
    return first;
}

bool CFixTrack::ForEach(const std::function<void(const TrackEntry&)>& visit)
{
    if (m_size == 0) {
        return true;
    }
    if (!Flush()) {
        return false;
    }
    std::vector<unsigned char> block(kReadEntries * kEntrySize);
    TrackEntry entry;
    for (size_t done = 0; done < m_size;) {
        const size_t count = std::min(kReadEntries, m_size - done);
        const size_t bytes = count * kEntrySize;
        errno = 0;
        if (pread(fileno(m_file), block.data(), bytes, static_cast<off_t>(done * kEntrySize)) !=
            static_cast<ssize_t>(bytes)) {
            Fail(errno);
            return false;
        }
        for (size_t i = 0; i < count; ++i) {
            Decode(block.data() + i * kEntrySize, entry);
            visit(entry);
        }
        done += count;
    }
    return true;
}

}  // namespace kestrion
