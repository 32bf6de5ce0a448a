#include "transport/RelayLink.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <array>

#include "transport/RelayFramer.h"

namespace kestrion {

namespace {

// The device's settings, whatever the port dialog chose.
const SerialSettings kRelaySettings{"9600", "8", "N", "1"};
// How long a silent port stays open before it is reopened.
constexpr int kPollMs = 1000;
constexpr size_t kReadSize = 4096;

}  // namespace

CRelayLink::CRelayLink(ISerialDeviceFactory& factory, IUserInterface& ui)
    : m_factory(factory), m_ui(ui), m_wakeFd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
}

CRelayLink::~CRelayLink()
{
    Stop();
    if (m_wakeFd >= 0) {
        close(m_wakeFd);
    }
}

bool CRelayLink::Start(const std::string& portName, IRawWriter& target)
{
    Stop();
    m_path = DevicePathOf(portName);
    std::string error;
    std::unique_ptr<ISerialDevice> device = Open(error);
    if (device == nullptr) {
        m_ui.MessageBox("OrvoDemo cannot create handle for " + portName + ".", BoxButtons::Ok, BoxIcon::Warning);
        return false;
    }
    m_target = &target;
    m_running = true;
    // The port may be gone once its close has run: that path never touches it again.
    target.SetBeforeClose([this] { StopThread(); });
    m_thread = std::thread(&CRelayLink::Run, this, std::move(device));
    return true;
}

void CRelayLink::Stop()
{
    if (m_running) {
        StopThread();
        m_target->SetBeforeClose({});
    }
}

std::unique_ptr<ISerialDevice> CRelayLink::Open(std::string& error)
{
    return m_factory.Open(m_path, kRelaySettings, error);
}

void CRelayLink::StopThread()
{
    if (!m_running.exchange(false)) {
        return;
    }
    eventfd_write(m_wakeFd, 1);
    m_thread.join();
    eventfd_t pending = 0;
    eventfd_read(m_wakeFd, &pending);
}

void CRelayLink::Run(std::unique_ptr<ISerialDevice> device)
{
    CRelayFramer framer(*m_target);
    while (m_running) {
        if (device == nullptr) {
            std::string error;
            device = Open(error);
            if (device == nullptr) {
                Pause();
            }
            // A frame never spans two openings.
            framer.Reset();
            continue;
        }
        ISerialDevice::Wait wait = device->WaitForInput(kPollMs, m_wakeFd);
        if (wait == ISerialDevice::Wait::Readable) {
            wait = Relay(*device, framer);
        }
        // A silent serial device is opened afresh; a network connection that stays up is kept.
        if (wait == ISerialDevice::Wait::Timeout && !device->Connected()) {
            device->Purge();
            device.reset();
        } else if (wait == ISerialDevice::Wait::Gone) {
            device.reset();
            Pause();
        }
    }
    if (device != nullptr) {
        device->Purge();
    }
}

ISerialDevice::Wait CRelayLink::Relay(ISerialDevice& device, CRelayFramer& framer)
{
    std::array<uint8_t, kReadSize> buffer{};
    while (m_running) {
        const long count = device.Read(buffer.data(), buffer.size());
        if (count < 0) {
            return ISerialDevice::Wait::Gone;
        }
        framer.Accept(buffer.data(), static_cast<size_t>(count));
        if (count == 0 && device.WaitForInput(kPollMs, m_wakeFd) == ISerialDevice::Wait::Gone) {
            return ISerialDevice::Wait::Gone;
        }
    }
    return ISerialDevice::Wait::Woken;
}

void CRelayLink::Pause() const
{
    pollfd wake{m_wakeFd, POLLIN, 0};
    poll(&wake, 1, kPollMs);
}

}  // namespace kestrion
