#include "transport/TextFileSource.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/Settings.h"
#include "protocol/LineDecoder.h"
#include "transport/Feed.h"
#include "transport/FeedEvents.h"
#include "transport/ReplaySlice.h"

namespace kestrion {
namespace {

Settings LoadSettings(const CProfile& profile)
{
    Settings settings;
    settings.LoadDataSources(profile);
    settings.LoadTimerDelay(profile);
    settings.LoadExternalTimer(profile);
    return settings;
}

}  // namespace

CTextFileSource::CTextFileSource(CFeed& owner, IFeedEventSink& events, IMessageBoxes& boxes, ITimerService& timers,
                                 const CProfile& profile, std::string fileName)
    : CSource(owner, std::move(fileName)), m_events(events), m_boxes(boxes), m_timers(timers)
{
    const Settings settings = LoadSettings(profile);
    m_timerDelay = settings.timerDelay;
    m_externalTimer = settings.externalTimer;
    m_truthWeek = static_cast<uint16_t>(DecimalValue(settings.trueWeekNo));
    m_truthOffset = static_cast<uint32_t>(DecimalValue(settings.trueTow));
}

CTextFileSource::~CTextFileSource() { CTextFileSource::Close(); }

int CTextFileSource::Open(int role, const std::string& name)
{
    CSource::Open(role, name);
    m_file.reset(std::fopen(m_name.c_str(), "r"));
    if (m_file == nullptr) {
        m_boxes.MessageBox("Source file could not be opened: " + m_name + ": " + std::strerror(errno),
                              BoxButtons::Ok, BoxIcon::Warning);
        m_open = 0;
        return m_open;
    }
    m_reader.emplace(m_file.get());
    m_failed = false;
    m_open = 1;
    return m_open;
}

void CTextFileSource::Start()
{
    if (m_role != kRoleMeasured) {
        return;
    }
    if (ReadRecord() != nullptr) {
        Tick(0);  // may destroy this source
        return;
    }
    if (!m_failed) {
        m_boxes.GuardedMessageBox("Error: Could not read from file.", BoxButtons::Ok, BoxIcon::Warning);
    }
    Close();
}

int CTextFileSource::Close()
{
    if (m_open != 0) {
        m_timer = m_timers.Cancel(m_timer);
        m_reader.reset();
        m_file.reset();
        m_waiting = false;
        m_open = 0;
    }
    return 1;
}

const CMessageRecord* CTextFileSource::ReadRecord()
{
    if (!m_reader) {
        return nullptr;
    }
    std::string_view line;
    do {
        errno = 0;
        if (!m_reader->NextPiece(line)) {
            StopReading();
            return nullptr;
        }
        m_events.DataActivity();
    } while (!CTextLineReader::IsData(line));

    if (DecodeLine(m_record, line, m_error, m_truthWeek, m_truthOffset)) {
        return &m_record;
    }
    m_boxes.GuardedMessageBox(m_error, BoxButtons::Ok, BoxIcon::Warning);
    return nullptr;
}

void CTextFileSource::Tick(int /*tickCode*/)
{
    // As fast as possible, records follow each other within the slice; the next slice comes at
    // the next turn of the loop.
    const CReplaySlice slice(kFastestRecords);
    for (int64_t delivered = 1; Advance(); ++delivered) {
        if (RatioOf(m_pace.Speed()).numerator != 0 || m_paused || slice.Spent(delivered)) {
            Schedule();
            return;
        }
    }
}

bool CTextFileSource::Advance()
{
    m_timer = m_timers.Cancel(m_timer);
    m_waiting = false;
    m_owner.AcceptRecord(&m_record);
    if (m_record.HasTime()) {
        m_previousWeek = m_record.Week();
        m_previousTow = m_record.Tow();
        m_playedTime = RecordTime(m_record);
    }
    const CMessageRecord* next = ReadRecord();
    if (next == nullptr) {
        Close();
        m_owner.AcceptRecord(nullptr);  // destroys this source
        return false;
    }
    m_waiting = true;
    m_waitRecordingMs = IntervalTo(*next);
    m_waitMs = m_pace.Next(m_waitRecordingMs);
    return true;
}

void CTextFileSource::Schedule()
{
    if (!m_paused && m_waiting) {
        m_timer = m_timers.Register(kTickPlayback, *this, m_waitMs);
    }
}

IReplayControl* CTextFileSource::Replay() { return m_role == kRoleMeasured ? this : nullptr; }

void CTextFileSource::SetSpeed(ReplaySpeed speed)
{
    m_pace.SetSpeed(speed);
    if (m_waiting) {
        m_waitMs = m_pace.Next(m_waitRecordingMs);
        m_timer = m_timers.Cancel(m_timer);
        Schedule();
    }
}

void CTextFileSource::Pause()
{
    m_paused = true;
    m_timer = m_timers.Cancel(m_timer);
}

void CTextFileSource::Resume()
{
    if (m_paused) {
        m_paused = false;
        Schedule();
    }
}

void CTextFileSource::StepSecond()
{
    if (!m_paused || !m_waiting) {
        return;
    }
    // Up to one second after the last record delivered, or else after the waiting one.
    const int64_t from = m_playedTime >= 0 ? m_playedTime : m_record.HasTime() ? RecordTime(m_record) - 100 : -1;
    do {
        if (!Advance()) {
            return;
        }
    } while (from >= 0 && (!m_record.HasTime() || RecordTime(m_record) <= from + 100));
}

const CRecordingIndex& CTextFileSource::Index()
{
    if (!m_index) {
        m_index = CRecordingIndex::Scan(m_name, m_truthWeek, m_truthOffset);
    }
    return *m_index;
}

ReplayPosition CTextFileSource::Position()
{
    const CRecordingIndex& index = Index();
    const int64_t at = m_playedTime >= 0 ? m_playedTime - index.Start() : 0;
    return {ReplayPosition::Unit::Hundredths, std::clamp<int64_t>(at, 0, index.Total()), index.Total()};
}

bool CTextFileSource::Seek(int64_t position)
{
    const CRecordingIndex& index = Index();
    if (m_file == nullptr || index.Empty()) {
        return m_open != 0;
    }
    const CRecordingIndex::Entry& entry = index.At(position);
    m_timer = m_timers.Cancel(m_timer);
    std::clearerr(m_file.get());
    if (std::fseek(m_file.get(), entry.offset, SEEK_SET) != 0) {
        return m_open != 0;
    }
    // Line numbers in messages count from the position sought.
    m_reader.emplace(m_file.get());
    m_playedTime = index.Start() + entry.elapsed;
    if (ReadRecord() == nullptr) {
        Close();
        m_owner.AcceptRecord(nullptr);  // destroys this source
        return false;
    }
    m_waiting = true;
    m_waitRecordingMs = 0;
    m_waitMs = 0;
    Schedule();
    return true;
}

void CTextFileSource::StopReading()
{
    std::string problem;
    if (m_reader->TooLong()) {
        problem = "line " + std::to_string(m_reader->LineNumber()) + ": line too long";
    } else if (std::ferror(m_file.get())) {
        problem = std::strerror(errno != 0 ? errno : EIO);
    } else {
        return;  // the end of the file
    }
    m_reader.reset();
    m_failed = true;
    m_boxes.GuardedMessageBox("Error: Could not read from file.\n\n" + m_name + ": " + problem, BoxButtons::Ok,
                                 BoxIcon::Warning);
}

int CTextFileSource::IntervalTo(const CMessageRecord& next) const
{
    if (m_externalTimer != 0 || !next.HasTime()) {
        return m_timerDelay;
    }
    const int64_t previousWeek = m_previousWeek != 0 ? m_previousWeek : next.Week();
    const int64_t previousTow = m_previousTow != 0 ? m_previousTow : next.Tow();
    const int64_t hundredths = (next.Week() - previousWeek) * kWeekLength + next.Tow() - previousTow;
    // An earlier time is delivered at once; a gap beyond the timer's reach waits a day.
    return static_cast<int>(std::clamp<int64_t>(hundredths * 10, 0, kMaxIntervalMs));
}

}  // namespace kestrion
