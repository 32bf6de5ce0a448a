#pragma once
// A serial device as the serial port object uses it: opened with the settings' texts, read
// without blocking, written as one unit, with its line-error counters. The program opens
// termios devices and network connections; tests open pseudo-terminals or doubles through the
// same factory.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace kestrion {

// Line-error bits, as the error report names them.
inline constexpr unsigned CE_RXOVER = 0x1;
inline constexpr unsigned CE_OVERRUN = 0x2;
inline constexpr unsigned CE_RXPARITY = 0x4;
inline constexpr unsigned CE_FRAME = 0x8;
inline constexpr unsigned CE_BREAK = 0x10;
inline constexpr unsigned CE_TXFULL = 0x100;
inline constexpr unsigned CE_PTO = 0x200;
inline constexpr unsigned CE_IOE = 0x400;
inline constexpr unsigned CE_DNS = 0x800;
inline constexpr unsigned CE_OOP = 0x1000;
inline constexpr unsigned CE_MODE = 0x8000;

// The line settings as the settings store keeps them: decimal baud, data bits, parity by its
// first letter ("E", "M", "N", "O", "S"), stop bits "1", "1.5" or anything else for two.
// Empty texts keep the device's current value.
struct SerialSettings {
    std::string baud;
    std::string dataBits;
    std::string parity;
    std::string stopBits;
};

class ISerialDevice {
public:
    enum class Wait { Readable, Timeout, Woken, Gone };

    virtual ~ISerialDevice() = default;
    // Waits up to timeoutMs for input; Woken when wakeFd became readable; Gone on hang-up
    // or error (a USB receiver unplugged).
    virtual Wait WaitForInput(int timeoutMs, int wakeFd) = 0;
    // Reads at most count queued bytes without blocking: the number read, 0 when none is
    // queued, -1 when the device is gone.
    virtual long Read(uint8_t* buffer, size_t count) = 0;
    // Writes all bytes (blocking); false when the device refused them.
    virtual bool Write(const uint8_t* bytes, size_t count) = 0;
    // Bytes still waiting in the output queue (0 when unknown).
    virtual size_t OutputQueued() = 0;
    // The CE_* bits of line errors counted since the last call (0 when the driver has no counters).
    virtual unsigned TakeLineErrors() = 0;
    // Drops both queues.
    virtual void Purge() = 0;
    // Why the device is gone, for the user ("Connection reset by peer"); empty when it does
    // not say, as a serial line never does.
    virtual std::string GoneReason() const { return {}; }
    // A link that stays up while the far end is silent (a TCP connection once made, a UDP
    // socket): silence is no reason to open it again.
    virtual bool Connected() const { return false; }
};

class ISerialDeviceFactory {
public:
    virtual ~ISerialDeviceFactory() = default;
    // The open device, or null with the error text for the user.
    virtual std::unique_ptr<ISerialDevice> Open(const std::string& path, const SerialSettings& settings,
                                                std::string& error) = 0;
    // The same again after a loss, from the GUI thread's tick: it must not wait (a connection
    // is made on the reader's waits).
    virtual std::unique_ptr<ISerialDevice> Reopen(const std::string& path, const SerialSettings& settings,
                                                  std::string& error)
    {
        return Open(path, settings, error);
    }
    // The serial port's bounded waits for its device (the first byte, the output's drain, the
    // line's time) pass here: real time, or the clock of a scripted line.
    virtual void Sleep(std::chrono::milliseconds duration) { std::this_thread::sleep_for(duration); }
};

// "/dev/..." names are paths already; "COMn" is /dev/ttyS(n-1); network names stay as they are.
std::string DevicePathOf(const std::string& portName);

}  // namespace kestrion
