#include "transport/SerialPort.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <utility>

#include "platform/NetworkAddress.h"
#include "platform/SerialLine.h"
#include "transport/FeedEvents.h"
#include "transport/LineErrorReport.h"

namespace kestrion {

namespace {

constexpr int kIdleWaitMs = 20;

// Swaps per tick while the reader keeps filling whole buffers: 64 KB a tick at most.
constexpr int kMaxSwapsPerTick = 16;
constexpr char kCannotOpen[] = "Error.. Cannot create UART handle.\nComm port is not available or may be in use.";

// "command 0x84" for a binary command, "sentence" for an NMEA one.
std::string WhatIsSent(std::optional<uint8_t> mid)
{
    if (!mid.has_value()) {
        return "sentence";
    }
    char text[16];
    std::snprintf(text, sizeof text, "command 0x%02X", *mid);
    return text;
}

}  // namespace

CSerialPort::CSerialPort(ITimerService& timers, CMessageDecoder& decoder, ISerialDeviceFactory& devices,
                         StepSleeper sleeper)
    : m_timers(timers),
      m_decoder(decoder),
      m_devices(devices),
      m_sleeper(sleeper ? std::move(sleeper) : StepSleeper([&devices](std::chrono::milliseconds duration) {
          devices.Sleep(duration);
      })),
      m_wakeFd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC))
{
}

CSerialPort::~CSerialPort()
{
    Close();
    if (m_wakeFd >= 0) {
        ::close(m_wakeFd);
    }
}

std::string CSerialPort::Open(ISerialReceiver& receiver, const std::string& path, const SerialSettings& settings,
                              CReceiveTaps* taps)
{
    Close();
    std::string error;
    std::unique_ptr<ISerialDevice> device = m_devices.Open(path, settings, error);
    if (device == nullptr) {
        return error.empty() ? kCannotOpen : error;
    }
    device->Purge();
    {
        std::unique_lock lock(m_deviceLock);
        m_device = std::move(device);
    }
    m_receiver = &receiver;
    m_taps = taps;
    m_path = path;
    m_settings = settings;
    {
        // What the last connection wrote was purged or has left: its line time is not ours.
        std::lock_guard order(m_writeLock);
        // A device's output queue does not count the bytes already handed to the line (a UART's
        // FIFO, the far end of a pseudo-terminal): closing must also leave them the time to be
        // sent at the speed they were written at, or the last command of a baud change never arrives.
        // Bytes sent on the network have no line to cross.
        m_characterTime = IsNetworkPort(path) ? std::chrono::microseconds(0) : CharacterTime(SerialLine::Of(settings));
        m_lineFreeAt = {};
    }
    m_noDataTicks = 0;
    m_lost = false;
    m_buffers.Clear();
    m_dataSeen = false;
    m_deviceGone = false;
    m_holdReader = false;
    m_lineErrors = 0;
    m_receiveOnly = IsReceiveOnlyPort(path);
    m_refusedBytes = 0;
    m_running = true;
    m_reader = std::thread(&CSerialPort::ReadLoop, this);
    if (m_taps != nullptr) {
        m_taps->SetPort(this);
    }
    m_timer = m_timers.Register(kTickSerialPoll, *this, kTickMs);
    ProtocolState& state = m_decoder.State();
    if (state.versionDetection) {
        state.generation = -1;
    }
    return {};
}

void CSerialPort::Close()
{
    if (!IsOpen()) {
        return;
    }
    // A writer thread stops first; its hook is used once. The taps' writers come to the port
    // through the taps: the port leaves them once their write under way has ended.
    if (const std::function<void()> stop = std::exchange(m_beforeClose, {})) {
        stop();
    }
    if (m_taps != nullptr) {
        m_taps->SetPort(nullptr);
    }
    m_timer = m_timers.Cancel(m_timer);
    WriteHeld();
    m_running = false;
    Wake();
    m_reader.join();
    DrainOutput();
    WaitForLine();
    ReplaceDevice(false);
    m_receiver = nullptr;
}

// ---- Reader thread ----

void CSerialPort::ReadLoop()
{
    while (m_running.load()) {
        // A full buffer waits for the tick's swap, which wakes the reader; the bytes stay
        // queued in the device meanwhile.
        if (m_holdReader.load() || m_deviceGone.load() || m_buffers.Full()) {
            WaitForWake(kIdleWaitMs);
        } else {
            ReadOnce();
        }
    }
}

void CSerialPort::ReadOnce()
{
    std::shared_lock lock(m_deviceLock);
    if (m_device == nullptr) {
        lock.unlock();
        WaitForWake(kIdleWaitMs);
        return;
    }
    switch (m_device->WaitForInput(kIdleWaitMs, m_wakeFd)) {
    case ISerialDevice::Wait::Readable:
        break;
    case ISerialDevice::Wait::Woken:
        WaitForWake(0);  // consumes the wake; the loop looks at the flags again
        return;
    case ISerialDevice::Wait::Gone:
        m_deviceGone = true;
        return;
    case ISerialDevice::Wait::Timeout:
        return;
    }
    // The errors of the queued bytes are gathered before the bytes reach a buffer.
    m_lineErrors.fetch_or(m_device->TakeLineErrors());
    const long count = m_buffers.Fill([this](uint8_t* at, size_t room) {
        const long read = m_device->Read(at, room);
        if (read > 0 && m_taps != nullptr) {
            m_taps->Deliver({at, static_cast<size_t>(read)}, std::chrono::steady_clock::now());
        }
        return read;
    });
    if (count < 0) {
        m_deviceGone = true;
        return;
    }
    if (count == 0) {
        // Readable with nothing to read: do not spin on it.
        lock.unlock();
        WaitForWake(1);
        return;
    }
    m_dataSeen = true;
}

void CSerialPort::Wake()
{
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(m_wakeFd, &one, sizeof one);
}

void CSerialPort::WaitForWake(int timeoutMs)
{
    pollfd wake{m_wakeFd, POLLIN, 0};
    ::poll(&wake, 1, timeoutMs);
    uint64_t count = 0;
    [[maybe_unused]] const ssize_t read = ::read(m_wakeFd, &count, sizeof count);
}

// ---- GUI thread ----

void CSerialPort::Tick(int tickCode)
{
    if (tickCode != kTickSerialPoll || m_receiver == nullptr) {
        return;
    }
    m_receiver->TickPollAnswers();
    ReportRefusedWrites();
    if (!m_dataSeen.load()) {
        WatchSilence();
        return;
    }
    DeliverReceived();
    if (m_receiver == nullptr) {
        return;  // a delivered message closed the port
    }
    if (m_deviceGone.load()) {
        ReportLost();
    } else if (m_lost) {
        ReportReopened();
    }
}

void CSerialPort::WatchSilence()
{
    bool connected = false;
    std::string goneReason;
    {
        std::shared_lock lock(m_deviceLock);
        if (m_device != nullptr) {
            connected = m_device->Connected();
            goneReason = m_device->GoneReason();
        }
    }
    // A connection that broke before bringing anything is lost all the same; a serial device
    // gives no reason and is reopened quietly.
    if (m_deviceGone.load() && !m_lost && !goneReason.empty()) {
        ReportLost();
        return;
    }
    if (connected) {
        m_noDataTicks = 0;
        if (m_lost) {
            ReportReopened();
        }
        return;
    }
    CountTowardsReopen();
}

void CSerialPort::CountTowardsReopen()
{
    if (m_noDataTicks < kReopenTicks) {
        ++m_noDataTicks;
        return;
    }
    m_noDataTicks = 0;
    ReplaceDevice(true);
}

void CSerialPort::ReplaceDevice(bool reopen)
{
    // Wake the reader out of its wait so that it lets go of the shared lock and stays off it.
    m_holdReader = true;
    Wake();
    {
        std::unique_lock lock(m_deviceLock);
        if (m_device != nullptr) {
            m_device->Purge();
            m_device.reset();
        }
        if (reopen) {
            std::string error;
            m_device = m_devices.Reopen(m_path, m_settings, error);
            if (m_device != nullptr) {
                m_device->Purge();
            }
        }
        m_deviceGone = false;
    }
    m_holdReader = false;
    Wake();
}

void CSerialPort::DeliverReceived()
{
    for (int swap = 0; swap < kMaxSwapsPerTick; ++swap) {
        const std::span<const uint8_t> chunk = m_buffers.Swap();
        if (swap == 0) {
            ReportGatheredLineErrors();  // after the swap: the errors of every byte in it are in
        }
        const bool full = chunk.size() == CReceiveBuffers::kSize;
        if (full) {
            Wake();  // the reader may be waiting for room; more bytes may be queued
        }
        if (!chunk.empty()) {
            m_receiver->Accept(chunk.data(), chunk.size());
        }
        if (!full || m_receiver == nullptr) {
            return;
        }
    }
}

void CSerialPort::ReportGatheredLineErrors()
{
    if (const unsigned errors = m_lineErrors.exchange(0); errors != 0) {
        ReportLineErrors(errors, m_decoder.Host());
    }
}

void CSerialPort::ReportLost()
{
    std::string reason;
    {
        std::shared_lock lock(m_deviceLock);
        if (m_device != nullptr) {
            reason = m_device->GoneReason();
        }
    }
    ReplaceDevice(false);
    m_dataSeen = false;
    m_lineErrors = 0;
    m_noDataTicks = 0;
    m_lost = true;
    Announce("Comm: Port " + m_path + " lost" + (reason.empty() ? "" : ": " + reason));
}

void CSerialPort::ReportReopened()
{
    m_lost = false;
    Announce("Comm: Port " + m_path + " reopened");
}

void CSerialPort::ReportRefusedWrites()
{
    if (const size_t count = m_refusedBytes.exchange(0); count != 0) {
        Announce("Comm: " + m_path + " receives only; " + std::to_string(count) + " bytes not sent");
    }
}

void CSerialPort::RefuseSend(std::optional<uint8_t> mid)
{
    Announce("Comm: " + m_path + " receives only; " + WhatIsSent(mid) + " not sent");
}

void CSerialPort::Announce(const std::string& text)
{
    IProtocolHost& host = m_decoder.Host();
    host.PostFaultText(text);
    host.WriteLog(text + "\n");
}

void CSerialPort::Send(std::span<const uint8_t> bytes, std::optional<uint8_t> mid)
{
    if (m_receiveOnly.load()) {
        RefuseSend(mid);
        return;
    }
    if (m_okToSend.load() != 0) {
        RawWrite(bytes.data(), bytes.size());
        if (mid.has_value()) {
            LogCommand(*mid);
        }
        return;
    }
    if (m_pending.Append(bytes, mid)) {
        return;
    }
    Announce("Comm: Send buffer full, " + WhatIsSent(mid) + " dropped");
}

void CSerialPort::SetOkToSend(uint8_t value)
{
    m_okToSend = value;
    if (value == 1) {
        WriteHeld();
    }
}

void CSerialPort::WriteHeld()
{
    if (m_pending.Empty()) {
        return;
    }
    WriteUnit(m_pending.Bytes());
    for (const uint8_t mid : m_pending.Mids()) {
        LogCommand(mid);
    }
    m_pending.Clear();
}

void CSerialPort::LogCommand(uint8_t mid)
{
    char line[32];
    std::snprintf(line, sizeof line, "UI_Command: MID 0x%02X\n", mid);
    m_decoder.Host().WriteLog(line);
}

void CSerialPort::DrainOutput()
{
    for (int step = 0; step < kDrainSteps; ++step) {
        {
            std::shared_lock lock(m_deviceLock);
            if (m_device == nullptr || m_device->OutputQueued() == 0) {
                return;
            }
        }
        m_sleeper(std::chrono::milliseconds(1));
    }
}

// ---- Any thread ----

void CSerialPort::RawWrite(const uint8_t* bytes, size_t count)
{
    if (!m_running.load()) {
        return;  // closed: nothing to wait for or write to
    }
    if (m_receiveOnly.load()) {
        m_refusedBytes += count;  // told on the next tick, on the GUI thread
        return;
    }
    for (int step = 0; step < kFirstByteSteps && !m_dataSeen.load(); ++step) {
        m_sleeper(std::chrono::milliseconds(kTickMs));
    }
    WriteUnit({bytes, count});
}

void CSerialPort::WriteUnit(std::span<const uint8_t> bytes)
{
    std::lock_guard order(m_writeLock);
    std::shared_lock lock(m_deviceLock);
    if (m_device != nullptr) {
        m_device->Write(bytes.data(), bytes.size());
        const auto now = std::chrono::steady_clock::now();
        m_lineFreeAt = std::max(now, m_lineFreeAt) + m_characterTime * static_cast<int64_t>(bytes.size());
    }
}

void CSerialPort::WaitForLine()
{
    std::chrono::steady_clock::duration left;
    {
        std::lock_guard order(m_writeLock);
        left = m_lineFreeAt - std::chrono::steady_clock::now();
    }
    if (left > std::chrono::steady_clock::duration::zero()) {
        m_sleeper(std::min(std::chrono::ceil<std::chrono::milliseconds>(left), kLongestLineWait));
    }
}

void CSerialPort::SetBeforeClose(std::function<void()> stop) { m_beforeClose = std::move(stop); }

}  // namespace kestrion
