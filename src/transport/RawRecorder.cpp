#include "transport/RawRecorder.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <utility>

namespace kestrion {
namespace {

std::string ErrorText(int error) { return std::strerror(error != 0 ? error : EIO); }

}  // namespace

CRawRecorder::~CRawRecorder() { Stop(); }

std::string CRawRecorder::OpenOutput(Output& output, const std::string& path)
{
    output.path = path;
    output.file.reset(std::fopen(path.c_str(), "wb"));
    struct stat status {};
    if (output.file == nullptr || ::fstat(::fileno(output.file.get()), &status) != 0) {
        const std::string reason = ErrorText(errno);
        output.file.reset();
        return reason;
    }
    output.device = status.st_dev;
    output.inode = status.st_ino;
    return {};
}

std::string CRawRecorder::Start(const std::string& path)
{
    Stop();
    m_path = path;
    const std::string indexPath = TimeIndexPath(path);
    std::string problem = OpenOutput(m_data, path);
    if (problem.empty()) {
        problem = OpenOutput(m_times, indexPath);
        if (problem.empty()) {
            const int64_t now = std::chrono::duration_cast<std::chrono::milliseconds>(
                                    std::chrono::system_clock::now().time_since_epoch())
                                    .count();
            problem = WriteOut(m_times, TimeIndexHeader(now));
        }
        if (!problem.empty()) {
            problem = indexPath + ": " + problem;
        }
    }
    if (!problem.empty()) {
        m_data.file.reset();
        m_times.file.reset();
        return "Could not record to " + path + ": " + problem;
    }
    {
        std::lock_guard lock(m_lock);
        m_active = true;
        m_stopping = false;
        m_start = std::chrono::steady_clock::now();
        m_received = 0;
        m_lastEntryMs = -kCoalesceMs;
        m_pending.clear();
        m_reads.clear();
    }
    m_thread = std::thread([this] { Run(); });
    return {};
}

void CRawRecorder::Stop()
{
    if (!m_thread.joinable()) {
        return;
    }
    {
        std::lock_guard lock(m_lock);
        m_active = false;
        m_stopping = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

bool CRawRecorder::Recording() const
{
    std::lock_guard lock(m_lock);
    return m_active;
}

std::vector<std::string> CRawRecorder::TakeFailures()
{
    std::lock_guard lock(m_lock);
    return std::exchange(m_failures, {});
}

void CRawRecorder::Received(std::span<const uint8_t> bytes, std::chrono::steady_clock::time_point at)
{
    if (bytes.empty()) {
        return;
    }
    bool wake = false;
    {
        std::lock_guard lock(m_lock);
        if (!m_active) {
            return;
        }
        const int64_t ms = std::clamp<int64_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(at - m_start).count(), 0,
            std::numeric_limits<uint32_t>::max());
        // The reader thread's time never goes back; reads close together share an entry.
        if (ms - m_lastEntryMs >= kCoalesceMs) {
            m_reads.push_back({m_received, ms});
            m_lastEntryMs = ms;
        }
        m_pending.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        m_received += static_cast<int64_t>(bytes.size());
        wake = m_pending.size() >= kWakeBytes;
    }
    if (wake) {
        m_wake.notify_one();
    }
}

void CRawRecorder::Run()
{
    std::string bytes;
    std::vector<TimeIndexEntry> reads;
    for (bool stopping = false; !stopping;) {
        bytes.clear();
        reads.clear();
        {
            std::unique_lock lock(m_lock);
            m_wake.wait_for(lock, kFlushPeriod, [this] { return m_stopping || m_pending.size() >= kWakeBytes; });
            std::swap(bytes, m_pending);
            std::swap(reads, m_reads);
            stopping = m_stopping;
        }
        std::string problem = WriteBatch(bytes, reads);
        if (problem.empty() && stopping) {
            problem = CloseOutputs();
        }
        if (!problem.empty()) {
            Fail(problem);
            return;
        }
    }
}

std::string CRawRecorder::WriteOut(Output& output, const std::string& bytes)
{
    errno = 0;
    if ((!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), output.file.get()) != bytes.size()) ||
        std::fflush(output.file.get()) != 0) {
        return ErrorText(errno);
    }
    return {};
}

std::string CRawRecorder::StillThere(const Output& output)
{
    // Data written to a file whose folder was removed would be lost at its close.
    struct stat status {};
    if (::stat(output.path.c_str(), &status) != 0) {
        return ErrorText(errno);
    }
    if (status.st_dev != output.device || status.st_ino != output.inode) {
        return "the file was replaced";
    }
    return {};
}

std::string CRawRecorder::WriteBatch(const std::string& bytes, const std::vector<TimeIndexEntry>& reads)
{
    // The data first: an entry is written only once its bytes are in the file.
    if (std::string problem = WriteOut(m_data, bytes); !problem.empty()) {
        return problem;
    }
    if (std::string problem = StillThere(m_data); !problem.empty()) {
        return problem;
    }
    m_indexBytes.clear();
    for (const TimeIndexEntry& read : reads) {
        AppendTimeIndexEntry(m_indexBytes, read);
    }
    std::string problem = WriteOut(m_times, m_indexBytes);
    if (problem.empty()) {
        problem = StillThere(m_times);
    }
    return problem.empty() ? problem : m_times.path + ": " + problem;
}

std::string CRawRecorder::CloseOutputs()
{
    errno = 0;
    const bool dataClosed = std::fclose(m_data.file.release()) == 0;
    const std::string dataProblem = dataClosed ? std::string() : ErrorText(errno);
    errno = 0;
    const bool indexClosed = std::fclose(m_times.file.release()) == 0;
    if (!dataClosed) {
        return dataProblem;
    }
    return indexClosed ? std::string() : m_times.path + ": " + ErrorText(errno);
}

void CRawRecorder::Fail(const std::string& reason)
{
    m_data.file.reset();
    m_times.file.reset();
    {
        std::lock_guard lock(m_lock);
        m_active = false;
        m_failures.push_back("Recording to " + m_path + " stopped: " + reason);
    }
    if (m_notice) {
        m_notice();
    }
}

}  // namespace kestrion
