#pragma once
// Plays a text file of one record per line (hexadecimal message lines or truth position
// lines), paced by the records' time stamps or by a fixed delay.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/Profile.h"
#include "platform/Timers.h"
#include "protocol/TextLineReader.h"
#include "transport/FeedEventSink.h"
#include "transport/FileCloser.h"
#include "transport/MessageBoxes.h"
#include "transport/RecordingIndex.h"
#include "transport/ReplayControl.h"
#include "transport/Source.h"

namespace kestrion {

class CTextFileSource : public CSource, public ITickReceiver, public IReplayControl {
public:
    static constexpr int kMaxIntervalMs = 24 * 60 * 60 * 1000;
    // As fast as possible, a tick delivers at most this many records (see CReplaySlice).
    static constexpr int64_t kFastestRecords = 4096;

    // Keeps the timer delay, the external timer flag, the truth week and the truth time
    // offset as the settings hold them now.
    CTextFileSource(CFeed& owner, IFeedEventSink& events, IMessageBoxes& boxes, ITimerService& timers,
                    const CProfile& profile, std::string fileName);
    ~CTextFileSource() override;

    // Opens the file for text reading; shows a message when it cannot be opened.
    int Open(int role, const std::string& name) override;
    // Measured role only: delivers the first record and schedules the next.
    void Start() override;
    // Stops the tick and closes the file; always 1.
    int Close() override;
    // The next data line as a record; null at the end of the file, at a bad line, a failed read
    // or a line too long, each but the end said in a box.
    const CMessageRecord* ReadRecord() override;
    // Delivers the current record and schedules the next one; as fast as possible, a slice of
    // records. At the end it hands null to the owner, which destroys this source.
    void Tick(int tickCode) override;

    // The measured role only; positions are hundredths of a second of recording time after
    // the first time stamp, found by reading the file through when first asked for.
    IReplayControl* Replay() override;
    // The waiting record waits its interval again, at the new speed.
    void SetSpeed(ReplaySpeed speed) override;
    ReplaySpeed Speed() const override { return m_pace.Speed(); }
    void Pause() override;
    void Resume() override;
    bool Paused() const override { return m_paused; }
    // Delivers the waiting record and those up to one second of recording time after the last
    // one delivered; at the end of the file the source ends as in playback.
    void StepSecond() override;
    bool Seek(int64_t position) override;
    ReplayPosition Position() override;

private:
    // Delivers the current record and reads the next with its interval; false when the file
    // has ended, the owner told and this source destroyed.
    bool Advance();
    // Waits the interval of the next record, unless paused.
    void Schedule();
    const CRecordingIndex& Index();

    // Milliseconds from the current record to the next one.
    int IntervalTo(const CMessageRecord& next) const;
    // After the last piece: a failed read or a line too long is said once, and nothing more
    // is read.
    void StopReading();

    IFeedEventSink& m_events;
    IMessageBoxes& m_boxes;
    ITimerService& m_timers;
    FilePtr m_file;
    std::optional<CTextLineReader> m_reader;
    std::string m_error;
    bool m_failed = false;  // a read failed or a line was too long
    int m_timer = 0;
    int m_timerDelay;
    int m_externalTimer;
    uint16_t m_truthWeek;
    uint32_t m_truthOffset;
    uint16_t m_previousWeek = 0;
    uint32_t m_previousTow = 0;
    CReplayPace m_pace;
    bool m_paused = false;
    bool m_waiting = false;  // a record has been read and waits for its delivery
    int m_waitRecordingMs = 0;  // its interval in the recording
    int m_waitMs = 0;           // and at the speed
    int64_t m_playedTime = -1;  // time of the last record delivered or sought, -1 for none
    std::optional<CRecordingIndex> m_index;
};

}  // namespace kestrion
