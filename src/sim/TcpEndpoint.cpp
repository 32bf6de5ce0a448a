#include "sim/TcpEndpoint.h"

namespace kestrion {

CTcpEndpoint::CTcpEndpoint(std::function<void(const std::string&)> notice) : m_notice(std::move(notice)) {}

std::string CTcpEndpoint::Open(const std::string& address, int64_t nowMs)
{
    m_pacer = CBytePacer(nowMs);
    return m_listener.Open(address);
}

int CTcpEndpoint::WaitFd() const
{
    return m_client != nullptr ? m_client->Fd() : m_listener.Fd();
}

void CTcpEndpoint::Read(std::vector<uint8_t>& into)
{
    if (m_client == nullptr) {
        std::string error;
        m_client = m_listener.Accept(error);
        // A lasting failure (out of descriptors) is told once, not at every turn.
        if (!error.empty() && error != m_lastError) {
            Notice(error);
        }
        m_lastError = error;
        if (m_client == nullptr) {
            return;
        }
        Notice("client " + m_client->Peer() + " connected");
    }
    if (!m_client->Receive(into)) {
        Leave();
    }
}

void CTcpEndpoint::Write(std::span<const uint8_t> bytes)
{
    m_pacer.Spend(bytes.size());
    if (m_client != nullptr && m_client->Send(bytes) < 0) {
        Leave();
    }
}

void CTcpEndpoint::Notice(const std::string& text) const
{
    if (m_notice) {
        m_notice(text);
    }
}

void CTcpEndpoint::Leave()
{
    Notice("client " + m_client->Peer() + " left");
    m_client.reset();
}

}  // namespace kestrion
