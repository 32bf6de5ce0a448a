#pragma once
// The dead-reckoning relay link: a thread reads the auxiliary port and writes every whole
// frame it finds to the receiver's port. While a serial device is silent the port is closed
// and reopened about once a second; a network connection is kept while it stays up.
#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "platform/SerialDevice.h"
#include "platform/UserInterface.h"
#include "transport/RawWriter.h"

namespace kestrion {

class CRelayFramer;

class CRelayLink {
public:
    CRelayLink(ISerialDeviceFactory& factory, IUserInterface& ui);
    ~CRelayLink();
    CRelayLink(const CRelayLink&) = delete;
    CRelayLink& operator=(const CRelayLink&) = delete;

    // Opens the port at 9600 baud 8N1 and relays its frames to target until stopped; the
    // target's close stops the link first. Tells the user and returns false when the port
    // cannot be opened. A running link is stopped first.
    bool Start(const std::string& portName, IRawWriter& target);
    bool Running() const { return m_running; }
    // Ends the thread, which closes the port, and withdraws the target's close hook.
    void Stop();

private:
    std::unique_ptr<ISerialDevice> Open(std::string& error);
    // Wakes the thread and waits for it to end.
    void StopThread();
    void Run(std::unique_ptr<ISerialDevice> device);
    // Reads and relays until stopped (Woken) or the device goes away (Gone).
    ISerialDevice::Wait Relay(ISerialDevice& device, CRelayFramer& framer);
    // Waits for about a second, or until stopped.
    void Pause() const;

    ISerialDeviceFactory& m_factory;
    IUserInterface& m_ui;
    std::string m_path;
    IRawWriter* m_target = nullptr;
    std::atomic<bool> m_running{false};
    int m_wakeFd;
    std::thread m_thread;
};

}  // namespace kestrion
