#include "protocol/Mid.h"
#include "transport/BinaryFileSource.h"
#include "transport/Feed.h"
#include "transport/FeedEvents.h"
#include "transport/RandomSource.h"
#include "transport/SerialSource.h"
#include "transport/TextFileSource.h"

namespace kestrion {

namespace {

std::unique_ptr<CSource> MakeMeasuredSource(CMeasuredFeed& feed, IFeedServices& services, const CSettings& settings)
{
    if (settings.dataSource == 0) {
        return std::make_unique<CRandomSource>(feed, services);
    }
    switch (settings.measSource) {
    case 0:
        if (settings.measFileType == "CSV") {
            return std::make_unique<CTextFileSource>(feed, services, settings.measFileName);
        }
        return std::make_unique<CBinaryFileSource>(feed, services, settings.measFileName);
    case 1:
        return std::make_unique<CSerialSource>(feed, services, settings.measSerialPort, settings.measSerialBaud,
                                               settings.measSerialDBits, settings.measSerialParity,
                                               settings.measSerialSBits);
    default:
        services.MessageBox("Error: for measured data, check either file or serial", BoxButtons::Ok,
                            BoxIcon::Warning);
        return nullptr;
    }
}

}  // namespace

int CMeasuredFeed::Open()
{
    m_settings.LoadDataSources(m_services.Profile());
    m_source = MakeMeasuredSource(*this, m_services, m_settings);
    if (m_source == nullptr) {
        return 0;
    }
    if (m_source->Open(kRoleMeasured, "") != 0) {
        m_source->Start();  // a text file that ends at once destroys the source here
    } else {
        m_source.reset();
    }
    m_services.RefreshTitle();
    return m_source != nullptr ? 1 : 0;
}

int CMeasuredFeed::Close()
{
    CFeed::Close();
    m_source.reset();
    return 1;
}

int CMeasuredFeed::AcceptRecord(const CMessageRecord* record)
{
    if (record == nullptr) {
        Close();
        m_services.Broadcast(WMU_SOURCE_ENDED, 0, nullptr);
        return 0;
    }
    CFeed::AcceptRecord(record);
    m_services.LogRecord(*record);
    if (m_pause == 0) {
        m_services.Broadcast(WMU_NEW_RECORD, 0, &m_latest);
    }
    return 1;
}

void CMeasuredFeed::PollSoftwareVersion()
{
    m_settings.LoadDataSources(m_services.Profile());
    if (m_settings.measSource == 1 && m_source != nullptr) {
        const uint8_t poll[] = {MID_PollSWVersion, 0x00};
        m_source->SendCommand(poll, sizeof poll);
    }
}

}  // namespace kestrion
