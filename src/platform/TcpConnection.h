#pragma once
// One accepted TCP connection, non-blocking; closed with the object.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kestrion {

class CTcpConnection {
public:
    // Takes over a connected socket; `peer` is its "ADDRESS:PORT".
    CTcpConnection(int fd, std::string peer);
    ~CTcpConnection();
    CTcpConnection(const CTcpConnection&) = delete;
    CTcpConnection& operator=(const CTcpConnection&) = delete;

    int Fd() const { return m_fd; }
    const std::string& Peer() const { return m_peer; }

    // Caps what the system holds for the peer (the kernel doubles it), so that a peer that
    // does not read backs up into its sender's queue soon.
    void LimitSendBuffer(int bytes) const;
    // Sends what the socket takes now: the count sent (0 when it is full), -1 once the peer is gone.
    long Send(std::span<const uint8_t> bytes);
    // Appends what has arrived, up to 64 KB a call; never waits. False once the peer has
    // closed or failed.
    bool Receive(std::vector<uint8_t>& into);

private:
    int m_fd;
    std::string m_peer;
};

}  // namespace kestrion
