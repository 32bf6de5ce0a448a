// Measures the receiver's sharing: a source taps bytes at a receiver's rate (or as fast as the
// readers take them) to eight clients on 127.0.0.1, one of which never reads. Checks that the
// seven others receive every byte in order and reports how the non-reader was dropped, the
// time each tap took on the source's thread, and the readers' lag.
//
//   kestrion-share-bench [--rate BYTES_PER_SECOND] [--seconds S] [--chunk BYTES] [--fast]
#include <poll.h>
#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "support/LoopbackClient.h"
#include "transport/ReceiverShare.h"

namespace {

using kestrion::CReceiverShare;
using kestrion::test::CLoopbackClient;
using Clock = std::chrono::steady_clock;

constexpr size_t kClients = 8;

uint8_t PatternAt(size_t index) { return static_cast<uint8_t>(index * 7 + index / 251); }

struct Options {
    double rate = 90 * 1024;
    double seconds = 30;
    size_t chunk = 512;
    bool fast = false;
};

bool ParseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--fast") {
            options.fast = true;
        } else if (i + 1 < argc && name == "--rate") {
            options.rate = std::stod(argv[++i]);
        } else if (i + 1 < argc && name == "--seconds") {
            options.seconds = std::stod(argv[++i]);
        } else if (i + 1 < argc && name == "--chunk") {
            options.chunk = std::max<size_t>(1, std::stoul(argv[++i]));
        } else {
            std::fprintf(stderr,
                         "usage: kestrion-share-bench [--rate BYTES_PER_SECOND] [--seconds S] [--chunk BYTES] [--fast]\n");
            return false;
        }
    }
    return true;
}

// The seven reading clients on one thread, each checked against the pattern as it reads.
class CReaders {
public:
    CReaders(std::vector<CLoopbackClient*> clients) : m_clients(std::move(clients)), m_counts(m_clients.size()) {}

    void Run(const std::atomic<bool>& stop)
    {
        std::vector<pollfd> waits;
        std::vector<uint8_t> buffer(1 << 16);
        while (!stop.load()) {
            waits.clear();
            for (CLoopbackClient* client : m_clients) {
                waits.push_back({client->Fd(), POLLIN, 0});
            }
            poll(waits.data(), waits.size(), 20);
            for (size_t i = 0; i < m_clients.size(); ++i) {
                if ((waits[i].revents & POLLIN) == 0) {
                    continue;
                }
                const ssize_t count = read(m_clients[i]->Fd(), buffer.data(), buffer.size());
                for (ssize_t k = 0; k < count; ++k) {
                    m_wrong += buffer[k] != PatternAt(m_counts[i] + k) ? 1 : 0;
                }
                const std::lock_guard lock(m_lock);
                m_counts[i] += static_cast<size_t>(std::max<ssize_t>(count, 0));
            }
        }
    }
    size_t Slowest()
    {
        const std::lock_guard lock(m_lock);
        return *std::ranges::min_element(m_counts);
    }
    size_t Wrong() const { return m_wrong.load(); }

private:
    std::vector<CLoopbackClient*> m_clients;
    std::mutex m_lock;
    std::vector<size_t> m_counts;
    std::atomic<size_t> m_wrong{0};
};

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        return 2;
    }
    std::mutex logLock;
    std::vector<std::pair<double, std::string>> lines;
    const Clock::time_point start = Clock::now();
    const auto since = [&start] { return std::chrono::duration<double>(Clock::now() - start).count(); };
    CReceiverShare share([&](const std::string& line) {
        const std::lock_guard lock(logLock);
        lines.emplace_back(since(), line);
    });
    if (const std::string error = share.Start("tcp://127.0.0.1:0", false, nullptr); !error.empty()) {
        std::fprintf(stderr, "kestrion-share-bench: %s\n", error.c_str());
        return 1;
    }
    std::vector<std::unique_ptr<CLoopbackClient>> clients;
    for (size_t i = 0; i < kClients; ++i) {
        clients.push_back(std::make_unique<CLoopbackClient>(share.Address(), i == 0 ? 4096 : 0));
    }
    while (share.Clients() < kClients && since() < 10) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    std::vector<CLoopbackClient*> reading;
    for (size_t i = 1; i < kClients; ++i) {
        reading.push_back(clients[i].get());
    }
    CReaders readers(reading);
    std::atomic<bool> stop{false};
    std::thread readerThread([&] { readers.Run(stop); });

    // The source: chunks at the rate, or as fast as the slowest reader stays within 512 KB.
    std::vector<uint8_t> chunk(options.chunk);
    size_t fed = 0;
    size_t taps = 0;
    double tapSeconds = 0;
    double longestTap = 0;
    double droppedAt = -1;
    size_t fedAtDrop = 0;
    const double cpuBefore = CpuSeconds();
    const Clock::time_point feedStart = Clock::now();
    while (std::chrono::duration<double>(Clock::now() - feedStart).count() < options.seconds) {
        if (options.fast) {
            while (fed - readers.Slowest() > 512 * 1024) {
                std::this_thread::yield();
            }
        } else {
            const auto due = feedStart + std::chrono::duration<double>(fed / options.rate);
            std::this_thread::sleep_until(std::chrono::time_point_cast<Clock::duration>(due));
        }
        for (size_t k = 0; k < chunk.size(); ++k) {
            chunk[k] = PatternAt(fed + k);
        }
        const Clock::time_point before = Clock::now();
        share.Received(chunk, before);
        const double took = std::chrono::duration<double>(Clock::now() - before).count();
        tapSeconds += took;
        longestTap = std::max(longestTap, took);
        ++taps;
        fed += chunk.size();
        if (droppedAt < 0 && share.Clients() < kClients) {
            droppedAt = since();
            fedAtDrop = fed;
        }
    }
    const double feedSeconds = std::chrono::duration<double>(Clock::now() - feedStart).count();
    const Clock::time_point lastTap = Clock::now();
    while (readers.Slowest() < fed && since() < options.seconds + 30) {
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    const double drainMs = std::chrono::duration<double, std::milli>(Clock::now() - lastTap).count();
    const double cpu = CpuSeconds() - cpuBefore;
    stop = true;
    readerThread.join();
    share.Stop();

    std::printf("fed %zu bytes in %.2f s (%.0f bytes/s) in %zu taps of %zu bytes\n", fed, feedSeconds,
                fed / feedSeconds, taps, options.chunk);
    std::printf("7 readers: slowest got %zu bytes, %zu wrong; all in %.1f ms after the last tap\n", readers.Slowest(),
                readers.Wrong(), drainMs);
    std::printf("tap on the source's thread: mean %.2f us, longest %.1f us\n", tapSeconds / taps * 1e6,
                longestTap * 1e6);
    if (droppedAt >= 0) {
        std::printf("non-reader dropped at %.2f s, after %zu bytes fed\n", droppedAt, fedAtDrop);
    } else {
        std::printf("non-reader not dropped (fed less than 1 MB past its buffers?)\n");
    }
    std::printf("process CPU %.2f s over %.2f s of feed (share, readers and source)\n", cpu, feedSeconds);
    for (const auto& [at, line] : lines) {
        if (line.find("connected") == std::string::npos) {
            std::printf("  %.2f s %s\n", at, line.c_str());
        }
    }
    const bool complete = readers.Slowest() == fed && readers.Wrong() == 0 && droppedAt >= 0;
    std::printf("%s\n", complete ? "ok: the seven readers got every byte" : "FAILED");
    return complete ? 0 : 1;
}
