#pragma once
// Shares the measured receiver over TCP as a serial-to-network bridge does: every byte the
// port receives goes to each connected client, in order. Its own thread waits in poll on the
// listener, the clients and an eventfd that wakes or stops it.
//
// Received (the port's reader thread) only appends to the clients' queues under a short lock:
// a client that does not read is dropped once 1 MB waits for it and never holds up the port
// or the other clients. At most kMaxClients at a time; the next one is accepted and closed.
//
// With commands allowed, what clients send is cut into whole frames and whole NMEA sentences,
// and a writer thread of the share hands each one to the IRawWriter as one RawWrite: a client
// frame goes between the console's own frames, never inside one, and a port that is slow to
// take it holds up neither the clients nor the source. Otherwise what clients send is read
// and dropped.
//
// Log lines, "Share: client 127.0.0.1:40522 connected" and the like, go to the callback on
// the share's threads; the owner passes them on to its own.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "platform/TcpListener.h"
#include "transport/RawWriter.h"
#include "transport/ReceiveTaps.h"

namespace kestrion {

class CReceiverShare : public IReceiveTap {
public:
    static constexpr size_t kMaxClients = 8;
    static constexpr size_t kMaxQueued = 1024 * 1024;  // bytes waiting for one client
    static constexpr size_t kMaxCommands = 64;  // units waiting for the port

    using Log = std::function<void(const std::string&)>;

    explicit CReceiverShare(Log log);
    ~CReceiverShare() override;
    CReceiverShare(const CReceiverShare&) = delete;
    CReceiverShare& operator=(const CReceiverShare&) = delete;

    // Owner's thread. Listens on the address ("tcp://HOST:PORT", a bare port or localhost for
    // 127.0.0.1) and starts the thread; a running share is stopped first. Client commands reach
    // the writer only with allowCommands and a writer, which must stay until Stop returns. The
    // error text naming the address and the reason, empty on success.
    std::string Start(const std::string& address, bool allowCommands, IRawWriter* writer);
    // Owner's thread. Closes the clients and the listener; commands not yet written are dropped.
    // Waits for a RawWrite under way.
    void Stop();
    // The bound address with the real port, "tcp://127.0.0.1:40522"; empty when stopped.
    std::string Address() const;

    // Any thread.
    bool Running() const { return m_running.load(); }
    size_t Clients() const { return m_clientCount.load(); }

    // The port's reader thread: queues the bytes for every client.
    void Received(std::span<const uint8_t> bytes, std::chrono::steady_clock::time_point at) override;

private:
    struct Client;
    using Chunk = std::shared_ptr<const std::vector<uint8_t>>;

    void Run();
    // Takes every waiting connection; error is set when accepting failed.
    void Accept(std::string& error);
    // Moves the clients' queued bytes to their sending side and notes the overflown ones.
    void Collect();
    // Sends what each socket takes now, then closes the clients that are gone or overflown.
    void Flush();
    void Prune();
    void Read(Client& client);
    void QueueCommand(const Client& client, std::span<const uint8_t> unit);
    void WriteCommands();
    void Wake() const;
    void Say(const std::string& line) const;

    Log m_log;
    int m_wakeFd;
    CTcpListener m_listener;
    bool m_allowCommands = false;
    IRawWriter* m_writer = nullptr;
    std::atomic<bool> m_running{false};
    std::atomic<size_t> m_clientCount{0};
    std::thread m_thread;
    std::vector<uint8_t> m_scratch;  // what a client sent

    // The clients, with their queues, under m_lock: Received walks them on the reader thread.
    std::mutex m_lock;
    std::vector<std::unique_ptr<Client>> m_clients;

    // Commands for the writer thread.
    std::mutex m_commandLock;
    std::condition_variable m_commandReady;
    std::deque<std::vector<uint8_t>> m_commands;
    bool m_writing = false;
    std::thread m_commandThread;
};

}  // namespace kestrion
