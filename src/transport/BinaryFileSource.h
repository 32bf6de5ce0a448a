#pragma once
// Plays a recorded receive stream (binary frames and NMEA sentences) at 1000 bytes a second.
#include <array>
#include <cstdint>
#include <string>

#include "platform/Timers.h"
#include "protocol/PlaybackFramer.h"
#include "protocol/RecordDelivery.h"
#include "transport/FileCloser.h"
#include "transport/Source.h"

namespace kestrion {

class CBinaryFileSource : public CSource, public ITickReceiver {
public:
    static constexpr size_t kChunkSize = 1000;
    static constexpr int kPeriodMs = 1000;

    CBinaryFileSource(CFeed& owner, IFeedServices& services, std::string fileName);
    ~CBinaryFileSource() override;

    // Opens the file for binary reading; 0 without a message when it cannot be opened.
    int Open(int role, const std::string& name) override;
    // A playback tick every second.
    void Start() override;
    // Stops the tick and closes the file; always 1.
    int Close() override;
    // Frames the next chunk, whose messages go to the owner. Null at the end of the file.
    const CMessageRecord* ReadRecord() override;
    // One chunk; at the end of the file the tick stops and the feed is not told.
    void Tick(int tickCode) override;

    // 0 while no tick runs.
    int TimerNumber() const { return m_timer; }

private:
    CRecordDelivery m_delivery;
    CPlaybackFramer m_framer;
    FilePtr m_file;
    int m_timer = 0;
    std::array<uint8_t, kChunkSize> m_chunk{};
};

}  // namespace kestrion
