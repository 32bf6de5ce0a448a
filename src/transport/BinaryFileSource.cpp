#include "transport/BinaryFileSource.h"

#include <cerrno>
#include <cstring>

#include "transport/Feed.h"
#include "transport/FeedEvents.h"

namespace kestrion {

CBinaryFileSource::CBinaryFileSource(CFeed& owner, IFeedServices& services, std::string fileName)
    : CSource(owner, services, std::move(fileName)),
      m_delivery(services.Decoder(), m_record, owner, nullptr, CRecordDelivery::Line::Playback),
      m_framer(m_delivery, services.Decoder().Host())
{
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

void CBinaryFileSource::Start() { m_timer = m_services.Timers().Register(kTickPlayback, *this, kPeriodMs); }

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
    return m_framer.Accept(m_chunk.data(), count) ? &m_record : nullptr;
}

void CBinaryFileSource::Tick(int /*tickCode*/)
{
    if (ReadRecord() == nullptr) {
        m_timer = m_services.Timers().Cancel(m_timer);
    }
}

}  // namespace kestrion
