#pragma once
// Plays a recorded receive stream (binary frames and NMEA sentences) in its recording time:
// the times of arrival of its time index, else the receiver's times in the stream (see
// ReplayTimeline.h). A stream without either, or played at the fixed rate, goes at 1000
// bytes a second.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/Timers.h"
#include "protocol/MessageDecoder.h"
#include "protocol/PlaybackFramer.h"
#include "protocol/RecordDelivery.h"
#include "transport/FeedEventSink.h"
#include "transport/FileCloser.h"
#include "transport/MessageBoxes.h"
#include "transport/ReplayControl.h"
#include "transport/ReplayTimeline.h"
#include "transport/Source.h"

namespace kestrion {

class CBinaryFileSource : public CSource, public ITickReceiver, public IReplayControl {
public:
    static constexpr size_t kChunkSize = 1000;
    static constexpr int kPeriodMs = 1000;
    // Segments closer than this at the speed go out in one tick; as fast as possible, a tick
    // plays a slice of at most this many bytes (see CReplaySlice) and the next comes at the
    // next turn of the loop.
    static constexpr int kMinWaitMs = 10;
    static constexpr int64_t kFastestBytes = int64_t{1} << 20;

    CBinaryFileSource(CFeed& owner, IFeedEventSink& events, IMessageBoxes& boxes, ITimerService& timers,
                      CMessageDecoder& decoder, std::string fileName);
    ~CBinaryFileSource() override;

    // Opens the file for binary reading and finds its recording time; 0 without a message
    // when it cannot be opened.
    int Open(int role, const std::string& name) override;
    // The first segment at the next turn of the loop, or the first chunk after a second.
    void Start() override;
    // Stops the tick and closes the file; always 1.
    int Close() override;
    // Frames the next chunk, whose messages go to the owner. Null at the end of the file.
    const CMessageRecord* ReadRecord() override;
    // A segment and those due with it, chunks at the fixed pace, or as fast as possible a
    // slice; at the end of the file the tick stops and the feed is not told.
    void Tick(int tickCode) override;

    // With a recording time: positions are hundredths of a second of it, a step plays the
    // segments of the next second. Without one, or at the fixed rate: a second is one chunk
    // (faster speeds tick more often, and above x8 read more chunks a tick), and without one
    // positions are byte offsets.
    IReplayControl* Replay() override { return this; }
    void SetSpeed(ReplaySpeed speed) override;
    ReplaySpeed Speed() const override { return m_pace.Speed(); }
    void Pause() override;
    void Resume() override;
    bool Paused() const override { return m_paused; }
    void StepSecond() override;
    // Starts framing afresh at the offset, or at the segment of the time.
    bool Seek(int64_t position) override;
    ReplayPosition Position() override;

private:
    // Plays by the recording time: timed, and not at the fixed rate.
    bool Timed() const { return m_timeline.Timed() && m_pace.Speed() != ReplaySpeed::Fixed; }
    int64_t Offset() const;
    // Ticks after the wait while playing and not paused.
    void Schedule();
    // Frames up to `limit` bytes; the count, 0 at the end of the file or a failed read.
    size_t ReadChunk(size_t limit);
    // The fixed pace: the speed's chunks; false at the end of the file.
    bool ReadChunks();
    // Frames the rest of the segment at the file position and takes its wait; false when it
    // was the last or nothing was left.
    bool PlaySegment();
    // As fast as possible: segments, or chunks without a recording time, until the slice is
    // spent or the file ends.
    void PlaySlice();
    // The first read that finds no data tells the documents.
    void ReachEnd();

    IFeedEventSink& m_events;
    IMessageBoxes& m_boxes;
    ITimerService& m_timers;
    CMessageDecoder& m_decoder;
    CRecordDelivery m_delivery;
    std::optional<CPlaybackFramer> m_framer;
    FilePtr m_file;
    CReplayTimeline m_timeline;
    int m_timer = 0;
    CReplayPace m_pace;
    bool m_paused = false;
    bool m_ended = false;          // the last read found no data
    int64_t m_playedMs = 0;        // recording time of the segment played or sought last
    int64_t m_waitRecordingMs = 0;  // from it to the next segment
    int m_waitMs = 0;               // and at the speed
    std::array<uint8_t, kChunkSize> m_chunk{};
};

}  // namespace kestrion
