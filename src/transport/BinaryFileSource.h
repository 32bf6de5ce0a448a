#pragma once
// Plays a recorded receive stream (binary frames and NMEA sentences) at 1000 bytes a second.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/Timers.h"
#include "protocol/PlaybackFramer.h"
#include "protocol/RecordDelivery.h"
#include "transport/FileCloser.h"
#include "transport/ReplayControl.h"
#include "transport/Source.h"

namespace kestrion {

class CBinaryFileSource : public CSource, public ITickReceiver, public IReplayControl {
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

    // One second of recording is one chunk; positions are byte offsets. Faster speeds tick
    // more often, and above x8 read more chunks a tick.
    IReplayControl* Replay() override { return this; }
    void SetSpeed(ReplaySpeed speed) override;
    ReplaySpeed Speed() const override { return m_speed; }
    void Pause() override;
    void Resume() override;
    bool Paused() const override { return m_paused; }
    void StepSecond() override;
    // Starts framing afresh at the offset.
    bool Seek(int64_t position) override;
    ReplayPosition Position() override;

private:
    // Ticks at the speed's period while playing and not paused.
    void Schedule();
    // The speed's chunks; false at the end of the file.
    bool ReadChunks();

    CRecordDelivery m_delivery;
    std::optional<CPlaybackFramer> m_framer;
    FilePtr m_file;
    int m_timer = 0;
    ReplaySpeed m_speed = ReplaySpeed::Normal;
    bool m_paused = false;
    bool m_ended = false;  // the last read found no data

    // The first read that finds no data tells the documents.
    void ReachEnd();
    std::array<uint8_t, kChunkSize> m_chunk{};
};

}  // namespace kestrion
