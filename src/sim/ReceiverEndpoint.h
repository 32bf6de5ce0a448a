#pragma once
// Where a served receiver model meets the program: a pseudo-terminal or a TCP connection.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kestrion {

class IReceiverEndpoint {
public:
    virtual ~IReceiverEndpoint() = default;

    // What poll waits on for the program's bytes.
    virtual int WaitFd() const = 0;
    // The baud of the program's side, 0 when it cannot be read. A side without a line is
    // always at the receiver's baud.
    virtual int ProgramBaud(int receiverBaud) const = 0;
    // Appends what the program has written; never waits.
    virtual void Read(std::vector<uint8_t>& into) = 0;
    // How many bytes may go out now at the baud.
    virtual size_t Room(int64_t nowMs, int baud) = 0;
    // Writes bytes within the room; what cannot be taken now is lost, as on a real UART.
    virtual void Write(std::span<const uint8_t> bytes) = 0;
    // Drops output nobody has read for a while, where the endpoint can.
    virtual void DropStaleOutput(size_t keepBytes) = 0;
};

}  // namespace kestrion
