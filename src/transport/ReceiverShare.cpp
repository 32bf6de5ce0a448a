#include "transport/ReceiverShare.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "protocol/SerialFramer.h"
#include "transport/RelayFramer.h"

namespace kestrion {

namespace {

// How long a listener whose accept failed (out of descriptors) is left alone.
constexpr int kAcceptPauseMs = 1000;

// What the system holds for a client: ample for a receiver's rate, and small beside kMaxQueued.
constexpr int kSendBuffer = 64 * 1024;

// Clients may send frames as long as the receiver's own.
constexpr CRelayFramer::Cut kCommandCut{static_cast<size_t>(CSerialFramer::kMaxPayload), true};

}  // namespace

struct CReceiverShare::Client {
    Client(std::unique_ptr<CTcpConnection> link, CReceiverShare& share)
        : connection(std::move(link)),
          framer(kCommandCut, [this, &share](std::span<const uint8_t> unit) { share.QueueCommand(*this, unit); })
    {
    }

    std::unique_ptr<CTcpConnection> connection;
    // The share's thread only.
    CRelayFramer framer;
    std::deque<Chunk> sending;
    size_t offset = 0;  // into sending.front()
    std::string gone;   // why it is closed, empty while it stays
    // Under m_lock.
    std::deque<Chunk> queued;
    size_t waiting = 0;  // bytes queued and sending
    bool overflown = false;
};

CReceiverShare::CReceiverShare(Log log)
    : m_log(std::move(log)), m_wakeFd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
}

CReceiverShare::~CReceiverShare()
{
    Stop();
    if (m_wakeFd >= 0) {
        close(m_wakeFd);
    }
}

std::string CReceiverShare::Start(const std::string& address, bool allowCommands, IRawWriter* writer)
{
    Stop();
    if (m_wakeFd < 0) {
        return address + ": cannot make an eventfd: " + std::strerror(errno);
    }
    if (std::string error = m_listener.Open(address); !error.empty()) {
        return error;
    }
    m_allowCommands = allowCommands && writer != nullptr;
    m_writer = writer;
    m_running = true;
    if (m_allowCommands) {
        m_writing = true;
        m_commandThread = std::thread(&CReceiverShare::WriteCommands, this);
    }
    m_thread = std::thread(&CReceiverShare::Run, this);
    return {};
}

void CReceiverShare::Stop()
{
    if (!m_running.exchange(false)) {
        return;
    }
    Wake();
    m_thread.join();
    eventfd_t pending = 0;
    eventfd_read(m_wakeFd, &pending);
    if (m_commandThread.joinable()) {
        {
            const std::lock_guard lock(m_commandLock);
            m_writing = false;
            m_commands.clear();
        }
        m_commandReady.notify_all();
        m_commandThread.join();
    }
    {
        const std::lock_guard lock(m_lock);
        m_clients.clear();
        m_clientCount = 0;
    }
    m_listener.Close();
    m_writer = nullptr;
}

std::string CReceiverShare::Address() const { return m_listener.Address(); }

void CReceiverShare::Received(std::span<const uint8_t> bytes, std::chrono::steady_clock::time_point)
{
    if (bytes.empty() || m_clientCount.load() == 0) {
        return;
    }
    // One copy for all clients, made before the lock is taken.
    const Chunk chunk = std::make_shared<const std::vector<uint8_t>>(bytes.begin(), bytes.end());
    {
        const std::lock_guard lock(m_lock);
        for (const std::unique_ptr<Client>& client : m_clients) {
            if (client->overflown) {
                continue;
            }
            if (client->waiting + chunk->size() > kMaxQueued) {
                client->overflown = true;
                client->queued.clear();
                continue;
            }
            client->queued.push_back(chunk);
            client->waiting += chunk->size();
        }
    }
    Wake();
}

void CReceiverShare::Run()
{
    std::vector<pollfd> waits;
    // A failing accept (out of descriptors) is told once and tried again a second later.
    bool acceptFailing = false;
    std::chrono::steady_clock::time_point acceptAgainAt{};
    while (m_running.load()) {
        Collect();
        Flush();
        const auto now = std::chrono::steady_clock::now();
        const bool listening = now >= acceptAgainAt;
        waits.clear();
        waits.push_back({m_wakeFd, POLLIN, 0});
        waits.push_back({listening ? m_listener.Fd() : -1, POLLIN, 0});
        for (const std::unique_ptr<Client>& client : m_clients) {
            const short events = POLLIN | (client->sending.empty() ? 0 : POLLOUT);
            waits.push_back({client->connection->Fd(), events, 0});
        }
        const int timeoutMs =
            listening ? -1 : static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(acceptAgainAt - now).count());
        if (poll(waits.data(), waits.size(), timeoutMs) <= 0 || !m_running.load()) {
            continue;
        }
        if (waits[0].revents != 0) {
            eventfd_t pending = 0;
            eventfd_read(m_wakeFd, &pending);
        }
        // Clients first: the indexes of waits are those of m_clients until Accept adds one.
        for (size_t i = 0; i < m_clients.size(); ++i) {
            if ((waits[i + 2].revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
                Read(*m_clients[i]);
            }
        }
        if ((waits[1].revents & POLLIN) != 0) {
            std::string error;
            Accept(error);
            if (!error.empty() && !acceptFailing) {
                Say("Share: " + error);
            }
            acceptFailing = !error.empty();
            if (acceptFailing) {
                acceptAgainAt = std::chrono::steady_clock::now() + std::chrono::milliseconds(kAcceptPauseMs);
            }
        }
    }
}

void CReceiverShare::Accept(std::string& error)
{
    while (std::unique_ptr<CTcpConnection> connection = m_listener.Accept(error)) {
        const std::string peer = connection->Peer();
        if (m_clients.size() >= kMaxClients) {
            Say("Share: client " + peer + " refused: " + std::to_string(kMaxClients) + " clients already");
            continue;
        }
        connection->LimitSendBuffer(kSendBuffer);
        auto client = std::make_unique<Client>(std::move(connection), *this);
        {
            const std::lock_guard lock(m_lock);
            m_clients.push_back(std::move(client));
            m_clientCount = m_clients.size();
        }
        Say("Share: client " + peer + " connected");
    }
}

void CReceiverShare::Collect()
{
    for (const std::unique_ptr<Client>& client : m_clients) {
        std::deque<Chunk> taken;
        bool overflown = false;
        {
            // Swapped, not moved, so that Received never waits for more than a few words.
            const std::lock_guard lock(m_lock);
            taken.swap(client->queued);
            overflown = client->overflown;
        }
        if (overflown) {
            client->gone = "dropped: not reading (" + std::to_string(kMaxQueued / (1024 * 1024)) + " MB queued)";
        }
        std::move(taken.begin(), taken.end(), std::back_inserter(client->sending));
    }
}

void CReceiverShare::Flush()
{
    for (const std::unique_ptr<Client>& client : m_clients) {
        size_t sent = 0;
        while (client->gone.empty() && !client->sending.empty()) {
            const std::vector<uint8_t>& chunk = *client->sending.front();
            const long count = client->connection->Send(std::span(chunk).subspan(client->offset));
            if (count < 0) {
                client->gone = "left";
            } else if (count == 0) {
                break;
            }
            sent += static_cast<size_t>(std::max(count, 0L));
            client->offset += static_cast<size_t>(std::max(count, 0L));
            if (client->offset == chunk.size()) {
                client->sending.pop_front();
                client->offset = 0;
            }
        }
        if (sent > 0) {
            const std::lock_guard lock(m_lock);
            client->waiting -= sent;
        }
    }
    Prune();
}

void CReceiverShare::Prune()
{
    std::vector<std::unique_ptr<Client>> closed;
    {
        const std::lock_guard lock(m_lock);
        for (std::unique_ptr<Client>& client : m_clients) {
            if (!client->gone.empty()) {
                closed.push_back(std::move(client));
            }
        }
        std::erase(m_clients, nullptr);
        m_clientCount = m_clients.size();
    }
    for (const std::unique_ptr<Client>& client : closed) {
        Say("Share: client " + client->connection->Peer() + " " + client->gone);
    }
}

void CReceiverShare::Read(Client& client)
{
    m_scratch.clear();
    const bool stays = client.connection->Receive(m_scratch);
    if (m_allowCommands) {
        client.framer.Accept(m_scratch.data(), m_scratch.size());
    }
    if (!stays && client.gone.empty()) {
        client.gone = "left";
    }
}

void CReceiverShare::QueueCommand(const Client& client, std::span<const uint8_t> unit)
{
    {
        const std::lock_guard lock(m_commandLock);
        if (m_commands.size() < kMaxCommands) {
            m_commands.emplace_back(unit.begin(), unit.end());
            m_commandReady.notify_one();
            return;
        }
    }
    Say("Share: client " + client.connection->Peer() + " command dropped: " + std::to_string(kMaxCommands) +
        " waiting for the port");
}

void CReceiverShare::WriteCommands()
{
    std::unique_lock lock(m_commandLock);
    for (;;) {
        m_commandReady.wait(lock, [this] { return !m_writing || !m_commands.empty(); });
        if (!m_writing) {
            return;
        }
        const std::vector<uint8_t> unit = std::move(m_commands.front());
        m_commands.pop_front();
        // The port may wait for the receiver's first byte: the lock is not held meanwhile.
        lock.unlock();
        m_writer->RawWrite(unit.data(), unit.size());
        lock.lock();
    }
}

void CReceiverShare::Wake() const
{
    eventfd_write(m_wakeFd, 1);
}

void CReceiverShare::Say(const std::string& line) const
{
    if (m_log) {
        m_log(line);
    }
}

}  // namespace kestrion
