#pragma once
// A TCP client on 127.0.0.1 for the tests of listening code; every wait is a bounded poll.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <string>
#include <vector>

namespace kestrion::test {

class CLoopbackClient {
public:
    // Connects to the port of "tcp://127.0.0.1:PORT"; a receive buffer of receiveBuffer bytes
    // when it is not 0 (set before connecting, so the window stays that small).
    explicit CLoopbackClient(const std::string& url, int receiveBuffer = 0)
        : m_fd(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0))
    {
        if (receiveBuffer > 0) {
            setsockopt(m_fd, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
        }
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<uint16_t>(std::stoi(url.substr(url.rfind(':') + 1))));
        inet_pton(AF_INET, "127.0.0.1", &address.sin_addr);
        m_connected = connect(m_fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    }
    ~CLoopbackClient() { Close(); }
    CLoopbackClient(const CLoopbackClient&) = delete;
    CLoopbackClient& operator=(const CLoopbackClient&) = delete;

    bool Connected() const { return m_connected; }
    int Fd() const { return m_fd; }
    void Close()
    {
        if (m_fd >= 0) {
            close(m_fd);
            m_fd = -1;
        }
    }
    bool Send(const std::vector<uint8_t>& bytes) const
    {
        return write(m_fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    }
    // Reads what has come within waitMs; false once the server has closed.
    bool ReadSome(int waitMs = 10)
    {
        pollfd wait{m_fd, POLLIN, 0};
        if (poll(&wait, 1, waitMs) <= 0) {
            return true;
        }
        uint8_t chunk[65536];
        const ssize_t count = read(m_fd, chunk, sizeof chunk);
        if (count > 0) {
            received.insert(received.end(), chunk, chunk + count);
        }
        return count > 0;
    }
    // Reads until `count` bytes have come in all, for up to ten seconds.
    bool ReadUntil(size_t count)
    {
        for (int attempt = 0; attempt < 1000 && received.size() < count; ++attempt) {
            if (!ReadSome()) {
                break;
            }
        }
        return received.size() >= count;
    }
    // True when the server closes the connection within ten seconds.
    bool ClosedByServer()
    {
        for (int attempt = 0; attempt < 1000; ++attempt) {
            if (!ReadSome()) {
                return true;
            }
        }
        return false;
    }

    std::vector<uint8_t> received;

private:
    int m_fd;
    bool m_connected = false;
};

}  // namespace kestrion::test
