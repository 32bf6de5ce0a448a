#pragma once
// Records the measured port's receive stream: every byte unchanged to FILE, which the binary
// playback, "decode" and "epochs" read, and when each read arrived to FILE.times (the format
// is in TimeIndex.h). Reads are taken on the port's reader thread into a buffer; the
// recorder's own thread writes and flushes them at least every kFlushPeriod, so a file cut
// off by a kill plays up to its last flush.
//
// A write error, a full disk or a file whose folder vanished stops the recording (never the
// source): the text naming the file and the reason waits in TakeFailures(), and the failure
// notice runs on the recorder's thread so that the owner can wake its own to take it.
#include <sys/types.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "transport/FileCloser.h"
#include "transport/ReceiveTaps.h"
#include "transport/TimeIndex.h"

namespace kestrion {

class CRawRecorder : public IReceiveTap {
public:
    static constexpr auto kFlushPeriod = std::chrono::milliseconds(250);
    static constexpr size_t kWakeBytes = 64 * 1024;  // wakes the writer before its period

    CRawRecorder() = default;
    ~CRawRecorder() override;
    CRawRecorder(const CRawRecorder&) = delete;
    CRawRecorder& operator=(const CRawRecorder&) = delete;

    // Stops a recording that runs, then creates or truncates FILE and FILE.times and records
    // what Received brings from now on. The error text ("Could not record to FILE: reason"),
    // or empty when it records.
    std::string Start(const std::string& path);
    // Writes what is left, closes both files and waits for the recorder's thread; a failure on
    // the way is reported as any other.
    void Stop();
    // False after Stop and after a failure.
    bool Recording() const;
    // The FILE of the last Start.
    const std::string& Path() const { return m_path; }

    // "Recording to FILE stopped: reason" for each failure since the last call.
    std::vector<std::string> TakeFailures();
    // Runs on the recorder's thread after a failure was queued; set it before Start.
    void SetFailureNotice(std::function<void()> notice) { m_notice = std::move(notice); }

    // Any thread, never blocking on the disk: copies the bytes under a short lock.
    void Received(std::span<const uint8_t> bytes, std::chrono::steady_clock::time_point at) override;

private:
    struct Output {
        FilePtr file;
        std::string path;
        dev_t device = 0;
        ino_t inode = 0;
    };

    void Run();
    // Each returns the reason of a failure, or empty.
    static std::string OpenOutput(Output& output, const std::string& path);
    static std::string WriteOut(Output& output, const std::string& bytes);
    static std::string StillThere(const Output& output);
    std::string WriteBatch(const std::string& bytes, const std::vector<TimeIndexEntry>& reads);
    std::string CloseOutputs();
    void Fail(const std::string& reason);

    std::string m_path;
    std::function<void()> m_notice;
    std::thread m_thread;
    // The recorder's thread alone, between Start and Stop.
    Output m_data, m_times;
    std::string m_indexBytes;

    mutable std::mutex m_lock;
    std::condition_variable m_wake;
    bool m_active = false;
    bool m_stopping = false;
    std::chrono::steady_clock::time_point m_start;
    int64_t m_received = 0;   // bytes taken since the start: the offset of the next read
    int64_t m_lastEntryMs = -kCoalesceMs;
    std::string m_pending;
    std::vector<TimeIndexEntry> m_reads;
    std::vector<std::string> m_failures;
};

}  // namespace kestrion
