#pragma once
// The simulator's side of a TCP listener: one program at a time, the next one accepted when
// it leaves. There is no line, so the program is always at the receiver's baud; the output is
// paced at that baud whether a program is connected or not.
#include <functional>
#include <memory>
#include <string>

#include "platform/TcpConnection.h"
#include "platform/TcpListener.h"
#include "sim/BytePacer.h"
#include "sim/ReceiverEndpoint.h"

namespace kestrion {

class CTcpEndpoint : public IReceiverEndpoint {
public:
    // `notice` hears "client ADDRESS:PORT connected" and "... left".
    explicit CTcpEndpoint(std::function<void(const std::string&)> notice = {});

    // Listens on the address ("tcp://127.0.0.1:0" picks a port). The error text, empty on success.
    std::string Open(const std::string& address, int64_t nowMs);
    // "tcp://127.0.0.1:40522".
    const std::string& Address() const { return m_listener.Address(); }
    bool Connected() const { return m_client != nullptr; }

    int WaitFd() const override;
    int ProgramBaud(int receiverBaud) const override { return receiverBaud; }
    // Accepts a waiting program when none is connected, then reads what it sent.
    void Read(std::vector<uint8_t>& into) override;
    size_t Room(int64_t nowMs, int baud) override { return m_pacer.Allowance(nowMs, baud); }
    // Without a program the bytes go nowhere, as on a line nobody listens to.
    void Write(std::span<const uint8_t> bytes) override;
    // The socket's queue cannot be flushed; what it cannot take is lost in Write.
    void DropStaleOutput(size_t) override {}

private:
    void Notice(const std::string& text) const;
    void Leave();

    std::function<void(const std::string&)> m_notice;
    CTcpListener m_listener;
    std::unique_ptr<CTcpConnection> m_client;
    std::string m_lastError;
    CBytePacer m_pacer{0};
};

}  // namespace kestrion
