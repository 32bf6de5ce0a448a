#pragma once
// The simulator's side of a pseudo-terminal: the master it reads and writes, and the slave it
// keeps open to read the line settings the program has set.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "sim/BytePacer.h"
#include "sim/ReceiverEndpoint.h"

namespace kestrion {

class CPtyEndpoint : public IReceiverEndpoint {
public:
    CPtyEndpoint() = default;
    ~CPtyEndpoint() override;
    CPtyEndpoint(const CPtyEndpoint&) = delete;
    CPtyEndpoint& operator=(const CPtyEndpoint&) = delete;

    // Opens the pair with its line raw, 8N1, at the baud. False with the error text on failure.
    bool Open(int baud, int64_t nowMs, std::string& error);

    const std::string& SlavePath() const { return m_slavePath; }
    int MasterFd() const { return m_master; }

    // The baud the line is set to now (by the program or by Open), 0 when it cannot be read.
    int LineBaud() const;

    int WaitFd() const override { return m_master; }
    int ProgramBaud(int) const override { return LineBaud(); }
    void Read(std::vector<uint8_t>& into) override;
    size_t Room(int64_t nowMs, int baud) override;
    void Write(std::span<const uint8_t> bytes) override;
    // Flushes the slave's input, so a program that opens the line later gets fresh data.
    void DropStaleOutput(size_t keepBytes) override;

private:
    int m_master = -1;
    int m_slave = -1;
    std::string m_slavePath;
    CBytePacer m_pacer{0};
};

}  // namespace kestrion
