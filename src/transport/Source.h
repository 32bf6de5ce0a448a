#pragma once
// A producer of message records for a feed: a file, a generator or a serial port.
#include <cstddef>
#include <cstdint>
#include <string>

#include "protocol/MessageRecord.h"
#include "transport/ReplayControl.h"

namespace kestrion {

class CFeed;

class CSource {
public:
    CSource(CFeed& owner, std::string name) : m_owner(owner), m_name(std::move(name)) {}
    virtual ~CSource() = default;
    CSource(const CSource&) = delete;
    CSource& operator=(const CSource&) = delete;

    // Stores the role; a non-empty name replaces the stored one. Returns non-zero when open.
    virtual int Open(int role, const std::string& name);
    virtual void Start() {}
    virtual int Close() { return 1; }
    virtual const CMessageRecord* ReadRecord() { return nullptr; }
    virtual void Restart() {}
    // Recorded file sources only: their playback controls, null for the others.
    virtual IReplayControl* Replay() { return nullptr; }
    // Serial sources only.
    virtual void SendCommand(const uint8_t* /*payload*/, size_t /*length*/) {}
    virtual void SendNmea(const char* /*body*/) {}

    const std::string& Name() const { return m_name; }
    int Role() const { return m_role; }
    int IsOpen() const { return m_open; }
    CMessageRecord& Record() { return m_record; }

protected:
    CFeed& m_owner;
    CMessageRecord m_record;
    std::string m_name;
    int m_open = 0;
    int m_role = 0;
};

}  // namespace kestrion
