#include "transport/BinaryFileSource.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "transport/Feed.h"
#include "transport/FeedEvents.h"

namespace kestrion {

CBinaryFileSource::CBinaryFileSource(CFeed& owner, IFeedServices& services, std::string fileName)
    : CSource(owner, services, std::move(fileName)),
      m_delivery(services.Decoder(), m_record, owner, nullptr, CRecordDelivery::Line::Playback)
{
    m_framer.emplace(m_delivery, services.Decoder().Host());
}

CBinaryFileSource::~CBinaryFileSource() { CBinaryFileSource::Close(); }

int CBinaryFileSource::Open(int role, const std::string& name)
{
    CSource::Open(role, name);
    m_file.reset(std::fopen(m_name.c_str(), "rb"));
    m_open = m_file != nullptr ? 1 : 0;
    if (m_open == 0) {
        m_services.MessageBox("Source file could not be opened: " + m_name + ": " + std::strerror(errno),
                              BoxButtons::Ok, BoxIcon::Warning);
    }
    return m_open;
}

void CBinaryFileSource::Start() { Schedule(); }

int CBinaryFileSource::Close()
{
    if (m_open != 0) {
        m_timer = m_services.Timers().Cancel(m_timer);
        m_file.reset();
        m_open = 0;
    }
    return 1;
}

const CMessageRecord* CBinaryFileSource::ReadRecord()
{
    if (m_file == nullptr) {
        return nullptr;
    }
    errno = 0;
    const size_t count = std::fread(m_chunk.data(), 1, m_chunk.size(), m_file.get());
    if (count < m_chunk.size() && std::ferror(m_file.get())) {
        // A folder, or a file that failed under the reader: the playback ends as at the end.
        const int error = errno != 0 ? errno : EIO;
        m_file.reset();
        m_services.GuardedMessageBox("Error: Could not read from file.\n\n" + m_name + ": " + std::strerror(error),
                                     BoxButtons::Ok, BoxIcon::Warning);
        return nullptr;
    }
    // The framer's chunk notice raises WMU_DATA_ACTIVITY through the playback host.
    return m_framer->Accept(m_chunk.data(), count) ? &m_record : nullptr;
}

void CBinaryFileSource::Tick(int /*tickCode*/)
{
    if (!ReadChunks()) {
        m_timer = m_services.Timers().Cancel(m_timer);
    }
}

bool CBinaryFileSource::ReadChunks()
{
    // x16 reads two chunks every 125 ms; as fast as possible, sixteen at each turn of the loop.
    const SpeedRatio ratio = RatioOf(m_speed);
    const int chunks = ratio.numerator == 0 ? 16 : std::max(1, ratio.numerator / 8);
    for (int chunk = 0; chunk < chunks; ++chunk) {
        if (ReadRecord() == nullptr) {
            ReachEnd();
            return false;
        }
    }
    return true;
}

void CBinaryFileSource::ReachEnd()
{
    if (!m_ended) {
        m_ended = true;
        m_services.Broadcast(WMU_RECORDING_AT_END, 0, nullptr);
    }
}

void CBinaryFileSource::Schedule()
{
    m_timer = m_services.Timers().Cancel(m_timer);
    if (m_paused || m_ended || m_file == nullptr) {
        return;
    }
    const SpeedRatio ratio = RatioOf(m_speed);
    const int period = ratio.numerator == 0 ? 0 : kPeriodMs * ratio.denominator / std::min(ratio.numerator, 8);
    m_timer = m_services.Timers().Register(kTickPlayback, *this, period);
}

void CBinaryFileSource::SetSpeed(ReplaySpeed speed)
{
    m_speed = speed;
    if (m_timer != 0) {
        Schedule();
    }
}

void CBinaryFileSource::Pause()
{
    m_paused = true;
    m_timer = m_services.Timers().Cancel(m_timer);
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
    if (m_paused && ReadRecord() == nullptr) {
        ReachEnd();
    }
}

bool CBinaryFileSource::Seek(int64_t position)
{
    if (m_file == nullptr) {
        return m_open != 0;
    }
    const int64_t total = Position().total;
    std::clearerr(m_file.get());
    if (std::fseek(m_file.get(), static_cast<long>(std::clamp<int64_t>(position, 0, total)), SEEK_SET) == 0) {
        m_framer.emplace(m_delivery, m_services.Decoder().Host());
        m_ended = false;
        Schedule();
    }
    return true;
}

ReplayPosition CBinaryFileSource::Position()
{
    ReplayPosition position{ReplayPosition::Unit::Bytes, 0, 0};
    struct stat status {};
    if (m_file != nullptr && ::fstat(::fileno(m_file.get()), &status) == 0) {
        position.at = std::ftell(m_file.get());
        position.total = status.st_size;
    }
    return position;
}

}  // namespace kestrion
