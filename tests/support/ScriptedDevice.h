#pragma once
// A serial device played by a test: bytes fed to it reach the port's reader, what the port
// writes goes to a handler (or is held, stalled, while writes are held), and line errors, a
// refused write or a loss can be injected. The reader is woken as soon as bytes are fed, and
// the test can wait until it has taken them.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/SerialDevice.h"

namespace kestrion::test {

class CScriptedDevice : public ISerialDevice {
public:
    // Gets the bytes the port wrote, on the writing thread.
    using WriteHandler = std::function<void(std::span<const uint8_t>)>;

    CScriptedDevice(std::string path, int baud, std::function<void(CScriptedDevice&)> onDestroy = {});
    ~CScriptedDevice() override;
    CScriptedDevice(const CScriptedDevice&) = delete;
    CScriptedDevice& operator=(const CScriptedDevice&) = delete;

    const std::string& Path() const { return m_path; }
    // The baud the port opened the device at.
    int Baud() const { return m_baud; }

    // ---- The test's side ----
    void Feed(std::span<const uint8_t> bytes);
    void SetWriteHandler(WriteHandler handler);
    // While held, written bytes wait in the output queue (OutputQueued counts them); releasing
    // hands them to the handler.
    void HoldWrites(bool hold);
    // Writes fail while refused.
    void RefuseWrites(bool refuse);
    // Counted as if the driver had seen them on the queued bytes.
    void InjectLineErrors(unsigned bits);
    // The device is gone from now on: waits say Gone, reads fail, with this reason.
    void Lose(std::string reason = {});
    // A link that stays up while silent.
    void SetConnected(bool connected);
    // Every byte written so far, whether handed on, held or not.
    std::vector<uint8_t> Written() const;
    // Waits until the reader has taken every byte fed or cannot take more now (its buffer is
    // full, the device is gone or purged, or the port has stopped its reader to close); false
    // when the bound passed first.
    bool WaitTaken(std::chrono::milliseconds bound = std::chrono::seconds(10));
    // The port asks for its output queue only once its reader has stopped, as it closes.
    bool ReaderStopped() const;

    // ---- ISerialDevice: the reader thread's side ----
    Wait WaitForInput(int timeoutMs, int wakeFd) override;
    long Read(uint8_t* buffer, size_t count) override;
    unsigned TakeLineErrors() override;
    std::string GoneReason() const override;
    bool Connected() const override;

    // ---- ISerialDevice: the writers' side ----
    bool Write(const uint8_t* bytes, size_t count) override;
    size_t OutputQueued() override;
    void Purge() override;

private:
    bool ReaderDone() const;  // under m_mutex

    std::string m_path;
    int m_baud;
    std::function<void(CScriptedDevice&)> m_onDestroy;
    int m_event = -1;  // eventfd: readable while fed bytes or a loss wait for the reader
    mutable std::mutex m_mutex;
    std::condition_variable m_taken;
    std::deque<uint8_t> m_input;
    std::vector<uint8_t> m_held;
    std::vector<uint8_t> m_written;
    WriteHandler m_handler;
    unsigned m_lineErrors = 0;
    bool m_holdWrites = false;
    bool m_refuseWrites = false;
    bool m_gone = false;
    bool m_connected = false;
    bool m_readerFull = false;  // the last read filled the room the reader had
    bool m_readerStopped = false;
    std::string m_goneReason;
};

}  // namespace kestrion::test
