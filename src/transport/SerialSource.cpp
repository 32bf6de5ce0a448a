#include "transport/SerialSource.h"

#include <optional>
#include <string_view>

#include "protocol/CommandFrame.h"
#include "transport/Feed.h"
#include "transport/FeedEvents.h"
#include "transport/PeriodicReset.h"

namespace kestrion {

CSerialSource::CSerialSource(CFeed& owner, IMessageBoxes& boxes, ITimerService& timers, CMessageDecoder& decoder,
                             const CProfile& profile, ISerialServices& serial, std::string port, SerialSettings line)
    : CSource(owner, std::move(port)),
      m_boxes(boxes),
      m_timers(timers),
      m_decoder(decoder),
      m_profile(profile),
      m_serial(serial),
      m_line(std::move(line)),
      m_measured(dynamic_cast<CMeasuredFeed*>(&owner)),
      m_countdowns(m_measured != nullptr ? std::span<int, 8>(m_measured->pollCountdowns) : m_noCountdowns),
      m_delivery(decoder, m_record, owner, this, CRecordDelivery::Line::Serial),
      m_framer(m_delivery, decoder.Host()),
      m_port(timers, decoder, serial.SerialDevices())
{
}

// The port's reader thread and tick stop before the framer and delivery they feed go away.
CSerialSource::~CSerialSource() { CSerialSource::Close(); }

int CSerialSource::Open(int role, const std::string& name)
{
    if (OpenQuietly(role, name) == 0) {
        m_boxes.MessageBox(m_lastError, BoxButtons::Ok, BoxIcon::Error);
    }
    return m_open;
}

int CSerialSource::OpenQuietly(int role, const std::string& name)
{
    Close();
    CSource::Open(role, name);
    m_lastError = m_port.Open(*this, DevicePathOf(m_name), m_line,
                              role == kRoleMeasured ? &m_serial.MeasuredTaps() : nullptr);
    if (!m_lastError.empty()) {
        m_open = 0;
        return m_open;
    }
    m_promptCounter = 0;
    m_timer = m_timers.Register(kTickSerialSecond, *this, kSecondMs);
    m_framer.Reset();
    m_decoder.State().deadReckoningSeen = false;
    m_open = 1;
    return m_open;
}

int CSerialSource::Close()
{
    m_timer = m_timers.Cancel(m_timer);
    m_port.Close();
    m_open = 0;
    return 1;
}

void CSerialSource::Restart()
{
    m_framer.Reset();
    m_port.ResetReceiveBuffers();
}

void CSerialSource::SendCommand(const uint8_t* payload, size_t length)
{
    if (length == 0) {
        return;
    }
    m_port.Send(BuildCommandFrame({payload, length}), payload[0]);
}

void CSerialSource::SendNmea(const char* body)
{
    const std::string sentence = BuildNmeaSentence(body);
    m_port.Send({reinterpret_cast<const uint8_t*>(sentence.data()), sentence.size()}, std::nullopt);
}

void CSerialSource::Tick(int tickCode)
{
    if (tickCode != kTickSerialSecond) {
        return;
    }
    SendPeriodicReset();
    PromptForSoftware();
}

// The reset is for the receiver under test, never for a truth receiver.
void CSerialSource::SendPeriodicReset()
{
    const std::time_t now = m_serial.Clock().Now();
    if (m_role != kRoleMeasured || !m_serial.Reset().TakeDue(now)) {
        return;
    }
    Settings settings;
    settings.LoadReceiverInit(m_profile);
    const std::vector<uint8_t> payload = InitializationPayload(InitValuesOf(settings, now));
    SendCommand(payload.data(), payload.size());
}

void CSerialSource::PromptForSoftware()
{
    const ProtocolState& state = m_decoder.State();
    if (state.selectionDialogOpen || state.generation > 0 || !state.versionDetection || !m_framer.MessageSeen()) {
        return;
    }
    if (++m_promptCounter > kPromptAfterTicks) {
        m_serial.PromptSoftwareSelection();
    }
}

void CSerialSource::RecordDecoded(const RecordImplications& implied)
{
    if (const std::optional<uint8_t> flag = implied.OkToSendAfter(m_port.OkToSend())) {
        m_port.SetOkToSend(*flag);
    }
}

void CSerialSource::PollAnswered(uint8_t subId, std::span<const uint8_t> answer)
{
    if (m_measured != nullptr) {
        m_measured->PollAnswered(subId, answer);
    }
}

bool CSerialSource::FeedPaused() const { return m_owner.Paused(); }

}  // namespace kestrion
