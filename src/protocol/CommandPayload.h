#pragma once
// Command payloads as the receiver takes them: MID first, multi-byte fields big-endian.
#include <cstdint>
#include <ctime>
#include <string_view>
#include <vector>

namespace kestrion {

// Appends fields in wire order.
class CPayload {
public:
    explicit CPayload(uint8_t mid) { m_bytes.push_back(mid); }
    CPayload& U8(uint32_t value)
    {
        m_bytes.push_back(static_cast<uint8_t>(value));
        return *this;
    }
    CPayload& U16(uint32_t value) { return U8(value >> 8).U8(value); }
    CPayload& U32(uint32_t value) { return U16(value >> 16).U16(value); }
    CPayload& I16(int32_t value) { return U16(static_cast<uint16_t>(value)); }
    CPayload& I32(int32_t value) { return U32(static_cast<uint32_t>(value)); }
    CPayload& Zeros(size_t count)
    {
        m_bytes.insert(m_bytes.end(), count, 0);
        return *this;
    }
    // The text NUL-padded (or cut) to the width.
    CPayload& Text(std::string_view text, size_t width)
    {
        for (size_t i = 0; i < width; ++i) {
            U8(i < text.size() ? static_cast<uint8_t>(text[i]) : 0);
        }
        return *this;
    }
    CPayload& Text(std::string_view text) { return Text(text, text.size()); }
    const std::vector<uint8_t>& Bytes() const { return m_bytes; }

private:
    std::vector<uint8_t> m_bytes;
};

// Parity code of the serial port commands: "ODD" 1, "EVEN" 2, anything else 0.
uint8_t ParityCode(std::string_view parity);

// MID_SetSerialPort (0x86) or MID_SetDGPSPort (0x91), 9 bytes.
std::vector<uint8_t> SerialPortPayload(uint8_t mid, uint32_t baud, uint8_t dataBits, uint8_t stopBits,
                                       uint8_t parity);

// The values of a receiver initialisation (MID_NavigationInitialization).
struct InitValues {
    int32_t x = 0, y = 0, z = 0;  // metres
    int32_t clock = 0;
    uint32_t towHundredths = 0;  // time of week, 10 ms units
    uint16_t week = 0;
    uint8_t channels = 12;
    uint8_t resetFlags = 0;
};

// Reset flags: the mode's base value (hot 0x00, warm 0x02, warm with init 0x03, cold 0x04,
// factory 0x08), 0x10 for raw track data, 0x20 for development data.
uint8_t ResetFlags(int resetMode, bool rawTrack, bool development);

// MID_NavigationInitialization (0x80), 25 bytes.
std::vector<uint8_t> InitializationPayload(const InitValues& values);

}  // namespace kestrion
