#include "transport/Feed.h"
#include "transport/FeedEvents.h"
#include "transport/SerialSource.h"
#include "transport/TextFileSource.h"

namespace kestrion {

namespace {

std::unique_ptr<CSource> MakeTruthSource(CTruthFeed& feed, const FeedServices& services, const Settings& settings)
{
    switch (settings.trueSource) {
    case kFileSource:
        return std::make_unique<CTextFileSource>(feed, services.events, services.boxes, services.timers, services.profile,
                                                 settings.trueFileName);
    case kSerialSource:
        return std::make_unique<CSerialSource>(feed, services.boxes, services.timers, services.decoder, services.profile,
                                               services.serial, settings.trueSerialPort, SerialSettings{});
    default:
        services.boxes.MessageBox("Error: for truth data, check either file or serial", BoxButtons::Ok, BoxIcon::Warning);
        return nullptr;
    }
}

// A truth record pairs with a measured one of its own MID or the next one, in the same week,
// from 0 to 9 whole seconds after it; an earlier truth time wraps far above 9.
bool Matches(const CMessageRecord& truth, const CMessageRecord& measured)
{
    if (truth.type != measured.type && truth.type + 1 != measured.type) {
        return false;
    }
    if (truth.Week() != measured.Week()) {
        return false;
    }
    const uint32_t seconds = (truth.Tow() - measured.Tow()) / 100u;
    return seconds <= 9;
}

}  // namespace

int CTruthFeed::Open()
{
    Settings settings;
    settings.LoadDataSources(m_services.profile);
    m_source = MakeTruthSource(*this, m_services, settings);
    m_fromFile = settings.trueSource == 0;
    if (m_source == nullptr) {
        return 0;
    }
    m_source->Open(kRoleTruth, "");  // a file that cannot be opened has shown its message
    m_source->Start();
    return 1;
}

const CMessageRecord* CTruthFeed::MatchTruth(const CMessageRecord& measured)
{
    // Every record read is used up: it matches, or it is discarded for the next one.
    while (m_source != nullptr) {
        const CMessageRecord* next = m_source->ReadRecord();
        if (next == nullptr) {
            break;
        }
        m_pending = *next;
        if (Matches(m_pending, measured)) {
            return &m_pending;
        }
    }
    return nullptr;
}

void CTruthFeed::Rewind()
{
    if (m_source != nullptr && m_fromFile) {
        m_source->Close();
        m_source->Open(kRoleTruth, "");  // a file that cannot be opened has shown its message
    }
}

}  // namespace kestrion
