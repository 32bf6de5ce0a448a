#include "transport/BinaryFileSource.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

#include "transport/Feed.h"
#include "transport/FeedEvents.h"
#include "transport/ReplaySlice.h"

namespace kestrion {

CBinaryFileSource::CBinaryFileSource(CFeed& owner, IFeedEventSink& events, IMessageBoxes& boxes,
                                     ITimerService& timers, CMessageDecoder& decoder, std::string fileName)
    : CSource(owner, std::move(fileName)),
      m_events(events),
      m_boxes(boxes),
      m_timers(timers),
      m_decoder(decoder),
      m_delivery(decoder, m_record, owner, nullptr, CRecordDelivery::Line::Playback)
{
    m_framer.emplace(m_delivery, decoder.Host());
}

CBinaryFileSource::~CBinaryFileSource() { CBinaryFileSource::Close(); }

int CBinaryFileSource::Open(int role, const std::string& name)
{
    CSource::Open(role, name);
    m_file.reset(std::fopen(m_name.c_str(), "rb"));
    m_open = m_file != nullptr ? 1 : 0;
    if (m_open == 0) {
        m_boxes.MessageBox("Source file could not be opened: " + m_name + ": " + std::strerror(errno),
                              BoxButtons::Ok, BoxIcon::Warning);
        return m_open;
    }
    m_timeline = CReplayTimeline::Load(m_name);
    return m_open;
}

void CBinaryFileSource::Start() { Schedule(); }

int CBinaryFileSource::Close()
{
    if (m_open != 0) {
        m_timer = m_timers.Cancel(m_timer);
        m_file.reset();
        m_open = 0;
    }
    return 1;
}

const CMessageRecord* CBinaryFileSource::ReadRecord() { return ReadChunk(kChunkSize) > 0 ? &m_record : nullptr; }

size_t CBinaryFileSource::ReadChunk(size_t limit)
{
    if (m_file == nullptr) {
        return 0;
    }
    errno = 0;
    const size_t count = std::fread(m_chunk.data(), 1, std::min(limit, m_chunk.size()), m_file.get());
    if (count == 0 && std::ferror(m_file.get())) {
        // A folder, or a file that failed under the reader: the playback ends as at the end.
        const int error = errno != 0 ? errno : EIO;
        m_file.reset();
        m_boxes.GuardedMessageBox("Error: Could not read from file.\n\n" + m_name + ": " + std::strerror(error),
                                     BoxButtons::Ok, BoxIcon::Warning);
        return 0;
    }
    // The framer's chunk notice counts as data activity through the playback host.
    return m_framer->Accept(m_chunk.data(), count) ? count : 0;
}

int64_t CBinaryFileSource::Offset() const { return m_file != nullptr ? std::ftell(m_file.get()) : -1; }

void CBinaryFileSource::Tick(int /*tickCode*/)
{
    if (RatioOf(m_pace.Speed()).numerator == 0) {
        PlaySlice();
        return;
    }
    if (!Timed()) {
        if (!ReadChunks()) {
            m_timer = m_timers.Cancel(m_timer);
        }
        return;
    }
    // Waits too short for a timer add up until one is worth it, so the total stays the
    // recording's time over the speed.
    int64_t owed = 0;
    do {
        if (!PlaySegment()) {
            m_timer = m_timers.Cancel(m_timer);
            ReachEnd();
            return;
        }
        owed += m_pace.Next(static_cast<int>(m_waitRecordingMs));
    } while (owed < kMinWaitMs);
    m_waitMs = static_cast<int>(owed);
    Schedule();
}

void CBinaryFileSource::PlaySlice()
{
    const int64_t from = Offset();
    const CReplaySlice slice(kFastestBytes);
    do {
        if (!(Timed() ? PlaySegment() : ReadRecord() != nullptr)) {
            m_timer = m_timers.Cancel(m_timer);
            ReachEnd();
            return;
        }
    } while (!m_paused && !slice.Spent(Offset() - from));
    // Registered again, so that every loop runs the next slice at its next turn.
    m_waitMs = 0;
    Schedule();
}

bool CBinaryFileSource::PlaySegment()
{
    const std::vector<CReplayTimeline::Point>& points = m_timeline.Points();
    const int64_t at = Offset();
    if (at < 0) {
        return false;
    }
    const size_t segment = m_timeline.PointAtOffset(at);
    const bool last = segment + 1 >= points.size();
    int64_t left = last ? std::numeric_limits<int64_t>::max() : points[segment + 1].offset - at;
    bool framed = false;
    while (left > 0) {
        const size_t count = ReadChunk(static_cast<size_t>(std::min<int64_t>(left, kChunkSize)));
        if (count == 0) {
            break;
        }
        framed = true;
        left -= static_cast<int64_t>(count);
    }
    m_playedMs = points[segment].ms;
    if (last || !framed) {
        return false;
    }
    m_waitRecordingMs = points[segment + 1].ms - points[segment].ms;
    return true;
}

bool CBinaryFileSource::ReadChunks()
{
    // x16 reads two chunks every 125 ms.
    const int chunks = std::max(1, RatioOf(m_pace.Speed()).numerator / 8);
    for (int chunk = 0; chunk < chunks; ++chunk) {
        if (ReadRecord() == nullptr) {
            ReachEnd();
            return false;
        }
        if (m_timeline.Timed()) {
            m_playedMs = m_timeline.Points()[m_timeline.PointAtOffset(Offset() - 1)].ms;
        }
    }
    return true;
}

void CBinaryFileSource::ReachEnd()
{
    if (!m_ended) {
        m_ended = true;
        m_events.Broadcast(FeedEvent::RecordingAtEnd, nullptr);
    }
}

void CBinaryFileSource::Schedule()
{
    m_timer = m_timers.Cancel(m_timer);
    if (m_paused || m_ended || m_file == nullptr) {
        return;
    }
    int period = m_waitMs;
    if (!Timed()) {
        const SpeedRatio ratio = RatioOf(m_pace.Speed());
        period = ratio.numerator == 0 ? 0 : kPeriodMs * ratio.denominator / std::min(ratio.numerator, 8);
    }
    m_timer = m_timers.Register(kTickPlayback, *this, period);
}

void CBinaryFileSource::SetSpeed(ReplaySpeed speed)
{
    m_pace.SetSpeed(speed);
    m_waitMs = m_pace.Next(static_cast<int>(m_waitRecordingMs));
    if (m_timer != 0) {
        Schedule();
    }
}

void CBinaryFileSource::Pause()
{
    m_paused = true;
    m_timer = m_timers.Cancel(m_timer);
}

void CBinaryFileSource::Resume()
{
    if (m_paused) {
        m_paused = false;
        Schedule();
    }
}

void CBinaryFileSource::StepSecond()
{
    if (!m_paused || m_ended) {
        return;
    }
    if (!Timed()) {
        if (ReadRecord() == nullptr) {
            ReachEnd();
        }
        return;
    }
    // The segments up to one second after the one played last, at least one.
    const std::vector<CReplayTimeline::Point>& points = m_timeline.Points();
    const auto nextMs = [&] { return points[m_timeline.PointAtOffset(std::max<int64_t>(Offset(), 0))].ms; };
    const int64_t until = (m_playedMs > 0 || Offset() > 0 ? m_playedMs : nextMs() - 1000) + 1000;
    do {
        if (!PlaySegment()) {
            ReachEnd();
            return;
        }
    } while (nextMs() <= until);
    m_waitMs = m_pace.Next(static_cast<int>(m_waitRecordingMs));
}

bool CBinaryFileSource::Seek(int64_t position)
{
    if (m_file == nullptr) {
        return m_open != 0;
    }
    int64_t offset = std::clamp<int64_t>(position, 0, Position().total);
    if (m_timeline.Timed()) {
        const CReplayTimeline::Point& point = m_timeline.Points()[m_timeline.PointAtTime(offset * 10)];
        offset = point.offset;
        m_playedMs = point.ms;
    }
    std::clearerr(m_file.get());
    if (std::fseek(m_file.get(), static_cast<long>(offset), SEEK_SET) == 0) {
        m_framer.emplace(m_delivery, m_decoder.Host());
        m_ended = false;
        m_waitRecordingMs = 0;
        m_waitMs = 0;
        Schedule();
    }
    return true;
}

ReplayPosition CBinaryFileSource::Position()
{
    if (m_timeline.Timed()) {
        const int64_t total = m_timeline.TotalMs() / 10;
        return {ReplayPosition::Unit::Hundredths, std::clamp<int64_t>(m_playedMs / 10, 0, total), total};
    }
    ReplayPosition position{ReplayPosition::Unit::Bytes, 0, 0};
    struct stat status {};
    if (m_file != nullptr && ::fstat(::fileno(m_file.get()), &status) == 0) {
        position.at = std::ftell(m_file.get());
        position.total = status.st_size;
    }
    return position;
}

}  // namespace kestrion
