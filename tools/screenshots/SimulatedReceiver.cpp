#include "SimulatedReceiver.h"

#include <stdexcept>

#include "sim/ReceiverServer.h"

namespace kestrion {

CSimulatedReceiver::CSimulatedReceiver(const SimConfig& config, Link link) : m_model(config, SteadyNowMs())
{
    IReceiverEndpoint* endpoint = &m_pty;
    std::string error;
    if (link == Link::Tcp) {
        endpoint = &m_tcp;
        error = m_tcp.Open("tcp://127.0.0.1:0", SteadyNowMs());
        m_port = m_tcp.Address();
    } else if (m_pty.Open(config.baud, SteadyNowMs(), error)) {
        m_port = m_pty.SlavePath();
    }
    if (m_port.empty()) {
        throw std::runtime_error("cannot start the simulated receiver: " + error);
    }
    m_thread = std::thread([this, endpoint] { ServeReceiver(*endpoint, m_model, m_stop); });
}

CSimulatedReceiver::~CSimulatedReceiver()
{
    m_stop = true;
    m_thread.join();
}

}  // namespace kestrion
