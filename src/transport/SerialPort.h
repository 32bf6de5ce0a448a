#pragma once
// The serial port object of a serial source: a reader thread moves received bytes into the
// receive buffers, a 50 ms tick on the GUI thread hands them to the framer, reports line
// errors and, while nothing has been received, reopens the device about once a second (a
// network connection that stays up is kept). Commands are written at once or held while the
// receiver is not ready; a receive-only port (UDP) refuses them with a message.
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <shared_mutex>
#include <span>
#include <string>
#include <thread>

#include "platform/SerialDevice.h"
#include "platform/Timers.h"
#include "protocol/MessageDecoder.h"
#include "transport/PendingSends.h"
#include "transport/RawWriter.h"
#include "transport/ReceiveBuffers.h"
#include "transport/ReceiveTaps.h"

namespace kestrion {

// What the port feeds on the GUI thread: the source's framer and its poll-answer countdown.
class ISerialReceiver {
public:
    virtual ~ISerialReceiver() = default;
    virtual void Accept(const uint8_t* bytes, size_t count) = 0;
    virtual void TickPollAnswers() = 0;
};

// Sleeps the calling thread. The port's bounded waits (three seconds for the first received
// byte before a write, three seconds for the output to drain at close) count its steps, so a
// test can pass one that returns at once; by default the device factory sleeps.
using StepSleeper = std::function<void(std::chrono::milliseconds)>;

class CSerialPort : public ITickReceiver, public IRawWriter {
public:
    static constexpr int kTickMs = 50;
    static constexpr int kReopenTicks = 20;  // the reopen comes on the 21st tick without data
    static constexpr int kFirstByteSteps = 60;  // of 50 ms
    static constexpr int kDrainSteps = 3000;  // of 1 ms
    static constexpr std::chrono::milliseconds kLongestLineWait{2000};

    CSerialPort(ITimerService& timers, CMessageDecoder& decoder, ISerialDeviceFactory& devices,
                StepSleeper sleeper = {});
    ~CSerialPort() override;
    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;

    // Opens the device, starts the reader and the 50 ms tick. The error text for the user,
    // empty on success; a failed open leaves no thread and no timer.
    // `taps` see every byte received, on the reader thread (the measured port's).
    std::string Open(ISerialReceiver& receiver, const std::string& path, const SerialSettings& settings,
                     CReceiveTaps* taps = nullptr);
    // Stops the relay, the tick and the reader, writes held commands, lets the output drain and
    // closes the device. Nothing when closed.
    void Close();
    bool IsOpen() const { return m_reader.joinable(); }

    // Only kTickSerialPoll is handled.
    void Tick(int tickCode) override;

    // Any thread: waits for the first received byte (at most three seconds), then writes the
    // bytes as one unit. Nothing while the port is closed.
    void RawWrite(const uint8_t* bytes, size_t count) override;
    void SetBeforeClose(std::function<void()> stop) override;

    // GUI thread: writes now, or holds the bytes while OK-to-send is 0. A binary command gives
    // its MID, logged as "UI_Command" when the command is written.
    void Send(std::span<const uint8_t> bytes, std::optional<uint8_t> mid);
    uint8_t OkToSend() const { return m_okToSend.load(); }
    // 1 writes the held commands.
    void SetOkToSend(uint8_t value);

    // Drops whatever the buffers hold (the source restarts).
    void ResetReceiveBuffers() { m_buffers.Clear(); }
    // A byte has arrived since the port opened (or since the device was lost).
    bool DataSeen() const { return m_dataSeen.load(); }
    // "lost" was reported and no data has come since (nor a connection).
    bool Lost() const { return m_lost; }

private:
    void ReadLoop();
    void ReadOnce();
    void Wake();
    void WaitForWake(int timeoutMs);

    // No data yet: keeps a connection that stays up, reports one that broke.
    void WatchSilence();
    void CountTowardsReopen();
    void ReplaceDevice(bool reopen);
    void DeliverReceived();
    void ReportGatheredLineErrors();
    void ReportLost();
    void ReportReopened();
    void ReportRefusedWrites();
    void RefuseSend(std::optional<uint8_t> mid);
    void Announce(const std::string& text);
    void WriteUnit(std::span<const uint8_t> bytes);
    void WriteHeld();
    void LogCommand(uint8_t mid);
    void DrainOutput();
    // Waits until the bytes written have had the time to cross the line.
    void WaitForLine();

    ITimerService& m_timers;
    CMessageDecoder& m_decoder;
    ISerialDeviceFactory& m_devices;
    StepSleeper m_sleeper;

    // GUI thread only.
    ISerialReceiver* m_receiver = nullptr;
    std::string m_path;
    SerialSettings m_settings;
    int m_timer = 0;
    int m_noDataTicks = 0;
    bool m_lost = false;  // "lost" was reported; "reopened" follows when data flows again
    CPendingSends m_pending;
    std::function<void()> m_beforeClose;

    // The device is replaced only under the exclusive lock; the reader and writers use it under
    // the shared lock. m_holdReader keeps the reader from taking the lock again meanwhile.
    std::shared_mutex m_deviceLock;
    std::unique_ptr<ISerialDevice> m_device;
    std::mutex m_writeLock;  // one unit per write, from the GUI and the relay thread
    // Under m_writeLock: when the last byte written has left the line, and one byte's time on
    // the line at the port's speed.
    std::chrono::steady_clock::time_point m_lineFreeAt{};
    std::chrono::microseconds m_characterTime{0};

    // Shared with the reader thread.
    CReceiveBuffers m_buffers;
    CReceiveTaps* m_taps = nullptr;  // set while the reader is stopped
    std::atomic<bool> m_running{false};
    std::atomic<bool> m_holdReader{false};
    std::atomic<bool> m_deviceGone{false};
    std::atomic<bool> m_dataSeen{false};
    std::atomic<unsigned> m_lineErrors{0};
    std::atomic<uint8_t> m_okToSend{1};
    std::atomic<bool> m_receiveOnly{false};
    std::atomic<size_t> m_refusedBytes{0};  // raw writes a receive-only port did not send
    int m_wakeFd = -1;  // eventfd: stop, device replacement and buffer room wake the reader
    std::thread m_reader;
};

}  // namespace kestrion
