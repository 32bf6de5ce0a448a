#pragma once
// The simulated receiver of kestrion-cli simulate, served on a thread of its own on a
// pseudo-terminal or over TCP on 127.0.0.1, for as long as the object lives.
#include <atomic>
#include <string>
#include <thread>

#include "sim/PtyEndpoint.h"
#include "sim/ReceiverModel.h"
#include "sim/SimConfig.h"
#include "sim/TcpEndpoint.h"

namespace kestrion {

class CSimulatedReceiver {
public:
    enum class Link { Pty, Tcp };

    // Throws std::runtime_error when the endpoint cannot be opened.
    CSimulatedReceiver(const SimConfig& config, Link link);
    ~CSimulatedReceiver();
    CSimulatedReceiver(const CSimulatedReceiver&) = delete;
    CSimulatedReceiver& operator=(const CSimulatedReceiver&) = delete;

    // The port to open: the pseudo-terminal's slave, or "tcp://127.0.0.1:PORT".
    const std::string& Port() const { return m_port; }

private:
    CPtyEndpoint m_pty;
    CTcpEndpoint m_tcp;
    std::string m_port;
    CReceiverModel m_model;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

}  // namespace kestrion
