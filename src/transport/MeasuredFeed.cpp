#include "platform/NetworkAddress.h"
#include "protocol/CommandLayouts.h"
#include "protocol/Mid.h"
#include "transport/BinaryFileSource.h"
#include "transport/Feed.h"
#include "transport/FeedEvents.h"
#include "transport/MeasuredPort.h"
#include "transport/RandomSource.h"
#include "transport/SerialSource.h"
#include "transport/TextFileSource.h"

namespace kestrion {

namespace {

// 50 ms ticks of waiting for the current values: three seconds.
constexpr int kPollTicks = 60;

std::unique_ptr<CSource> MakeMeasuredSource(CMeasuredFeed& feed, const FeedServices& services,
                                            const Settings& settings, const SerialSettings& line)
{
    if (settings.dataSource == 0) {
        return std::make_unique<CRandomSource>(feed, services.events, services.timers, services.random,
                                               services.generator);
    }
    switch (settings.measSource) {
    case kFileSource:
        if (settings.measFileType == "CSV") {
            return std::make_unique<CTextFileSource>(feed, services.events, services.boxes, services.timers,
                                                     services.profile, settings.measFileName);
        }
        return std::make_unique<CBinaryFileSource>(feed, services.events, services.boxes, services.timers,
                                                   services.decoder, settings.measFileName);
    case kSerialSource:
        return std::make_unique<CSerialSource>(feed, services.boxes, services.timers, services.decoder,
                                               services.profile, services.serial, settings.measSerialPort, line);
    default:
        services.boxes.MessageBox("Error: for measured data, check either file or serial", BoxButtons::Ok,
                            BoxIcon::Warning);
        return nullptr;
    }
}

}  // namespace

std::string NetworkMeasuredPort(const CProfile& profile)
{
    Settings stored;
    stored.LoadDataSources(profile);
    const bool port = stored.dataSource != 0 && stored.measSource == 1;
    return port && IsNetworkPort(stored.measSerialPort) ? stored.measSerialPort : std::string();
}

int CMeasuredFeed::Open() { return OpenSource(nullptr, std::nullopt); }

int CMeasuredFeed::OpenSource(std::string* failure, const std::optional<SerialSettings>& line)
{
    m_settings.LoadDataSources(m_services.profile);
    if (line) {
        m_settings.SetMeasuredLine(*line);
    }
    m_line = m_settings.MeasuredLine();
    m_source = MakeMeasuredSource(*this, m_services, m_settings, *m_line);
    if (m_source == nullptr) {
        return 0;
    }
    auto* serial = failure != nullptr ? dynamic_cast<CSerialSource*>(m_source.get()) : nullptr;
    const int opened = serial != nullptr ? serial->OpenQuietly(kRoleMeasured, "") : m_source->Open(kRoleMeasured, "");
    if (opened != 0) {
        m_source->Start();  // a text file that ends at once destroys the source here
    } else {
        if (serial != nullptr) {
            *failure = serial->LastError();
        }
        m_source.reset();
    }
    m_services.events.RefreshTitle();
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
        m_services.events.Broadcast(FeedEvent::SourceEnded, nullptr);
        return 0;
    }
    CFeed::AcceptRecord(record);
    m_services.events.LogRecord(*record);
    if (!m_pause) {
        m_services.events.Broadcast(FeedEvent::NewRecord, &m_latest);
    }
    return 1;
}

bool CMeasuredFeed::SerialSelected() const
{
    Settings stored;
    stored.LoadDataSources(m_services.profile);
    return stored.dataSource != 0 && stored.measSource == 1;
}

SerialSettings CMeasuredFeed::Line() const
{
    return m_line ? *m_line : Settings::StoredMeasuredLine(m_services.profile, Settings::DefaultMeasuredLine());
}

void CMeasuredFeed::SendPayload(std::span<const uint8_t> payload)
{
    if (SerialSelected()) {
        Transmit(payload);
    }
}

void CMeasuredFeed::SendNmea(const char* body)
{
    if (SerialSelected()) {
        TransmitNmea(body);
    }
}

void CMeasuredFeed::Transmit(std::span<const uint8_t> payload)
{
    if (m_source != nullptr) {
        m_source->SendCommand(payload.data(), payload.size());
    }
}

void CMeasuredFeed::TransmitNmea(const char* body)
{
    if (m_source != nullptr) {
        m_source->SendNmea(body);
    }
}

bool CMeasuredFeed::Reconnect(const SettingsStore& store, bool clearLatest)
{
    return SerialSelected() && Reopen(store, std::nullopt, clearLatest);
}

bool CMeasuredFeed::Reconnect(const SerialSettings& line, bool clearLatest)
{
    return SerialSelected() && Reopen(Remember(line), line, clearLatest);
}

bool CMeasuredFeed::Reopen(const SettingsStore& store, const std::optional<SerialSettings>& line, bool clearLatest)
{
    // A receiver on the network keeps its connection whatever its own line becomes.
    if (line && !NetworkMeasuredPort(m_services.profile).empty()) {
        return true;
    }
    Close();
    if (store) {
        store(m_services.profile);
    }
    if (clearLatest) {
        m_latest.Clear();
    }
    std::string failure;
    if (OpenSource(&failure, line) != 0) {
        return true;
    }
    if (!failure.empty()) {
        const std::string& port = m_settings.measSerialPort;
        const std::string speed = IsNetworkPort(port) ? std::string() : " at " + m_line->baud + " baud";
        m_services.boxes.MessageBox("Cannot reopen " + port + speed + ": " + failure, BoxButtons::Ok, BoxIcon::Warning);
    }
    return false;
}

CMeasuredFeed::SettingsStore CMeasuredFeed::Remember(const SerialSettings& line)
{
    return [line](const CProfile& profile) { Settings::SaveMeasuredLine(profile, line); };
}

void CMeasuredFeed::PollCommandParameters(uint8_t mid)
{
    const int slot = PollSlotOf(mid);
    if (slot < 0 || !SerialSelected() || m_source == nullptr) {
        return;  // without a source no answer could come
    }
    pollCountdowns[slot] = kPollTicks;
    constexpr const CCommandLayout& kPoll = CommandLayout(MID_POLL_CMD_PARAM);
    Transmit(kPoll.Values().Set(kPoll.Field("command"), mid).Wire());
}

void CMeasuredFeed::PollSoftwareVersion()
{
    const uint8_t poll[] = {MID_PollSWVersion, 0x00};
    SendPayload(poll);
}

void CMeasuredFeed::PollAnswered(uint8_t subId, std::span<const uint8_t> record)
{
    if (m_pollAnswerHandler) {
        m_pollAnswerHandler(subId, record);
    }
}

}  // namespace kestrion
