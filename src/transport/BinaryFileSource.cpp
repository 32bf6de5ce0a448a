#include "transport/BinaryFileSource.h"

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
    const size_t count = std::fread(m_chunk.data(), 1, m_chunk.size(), m_file.get());
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
