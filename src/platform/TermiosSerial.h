#pragma once
// A serial device on a Linux tty: opened exclusively as a raw line, read without blocking,
// its line errors taken from the driver's counters. The tty is given back with its original
// settings when closed; what is still queued then is dropped.
#include <termios.h>

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "platform/SerialDevice.h"

namespace kestrion {

class CTermiosSerial final : public ISerialDevice {
public:
    // Opens the tty at path and applies the settings; null with the user's error text.
    static std::unique_ptr<CTermiosSerial> Open(const std::string& path, const SerialSettings& settings,
                                                std::string& error);
    ~CTermiosSerial() override;
    CTermiosSerial(const CTermiosSerial&) = delete;
    CTermiosSerial& operator=(const CTermiosSerial&) = delete;

    Wait WaitForInput(int timeoutMs, int wakeFd) override;
    long Read(uint8_t* buffer, size_t count) override;
    bool Write(const uint8_t* bytes, size_t count) override;
    size_t OutputQueued() override;
    unsigned TakeLineErrors() override;
    void Purge() override;

private:
    // Frame, overrun, parity, break and buffer overrun counts of the driver.
    using LineCounts = std::array<int, 5>;

    CTermiosSerial(int fd, const termios& original, unsigned originalRate);
    std::optional<LineCounts> ReadLineCounts() const;
    bool HungUp() const;

    int m_fd;
    termios m_original;
    unsigned m_originalRate;
    std::optional<LineCounts> m_lineCounts;
};

class CTermiosSerialFactory : public ISerialDeviceFactory {
public:
    // Opens the device that DevicePathOf names.
    std::unique_ptr<ISerialDevice> Open(const std::string& path, const SerialSettings& settings,
                                        std::string& error) override;
};

}  // namespace kestrion
