#include "sim/ReceiverModel.h"

#include <algorithm>
#include <charconv>

#include "protocol/CommandFrame.h"
#include "protocol/CommandLayouts.h"
#include "protocol/HexDigits.h"
#include "protocol/Layout.h"
#include "protocol/MessageLayouts.h"
#include "protocol/TextFormatter.h"
#include "sim/BaudRates.h"
#include "sim/SimPayloads.h"
#include "synth/NmeaSentences.h"

namespace kestrion {
namespace {

constexpr int kRestartSeconds = 2;    // silent after a reset before the version comes
constexpr int kStatusEvery = 20;      // seconds between development status texts
constexpr int kSvCount = 32;
constexpr size_t kMode1 = layouts::kNavigation.Field("mode1").offset;
// Accepted as they are.
constexpr uint8_t kSetMids[] = {
    MID_SetAlmanac,  MID_FormattedDump, MID_SetProtocol,  MID_SetEditingResidual, MID_SetSteadyStateDetector,
    MID_SetDGPSPort, MID_FlashUpdate,   MID_SetEphemeris, MID_SwitchOpMode,       MID_SetMsgRate,
};
constexpr const char* kNmeaTalkers[4] = {"$GPGGA", "$GPGSA", "$GPGSV", "$GPRMC"};
constexpr const CCommandLayout& kInitialization = CommandLayout(MID_NavigationInitialization);
constexpr const CCommandLayout& kSetNmeaMode = CommandLayout(MID_SetNMEAMode);
constexpr const CCommandLayout& kSetSerialPort = CommandLayout(MID_SetSerialPort);
constexpr const CCommandLayout& kChangeUart = CommandLayout(MID_ChangeUartChnl);
constexpr const CCommandLayout& kPoll = CommandLayout(MID_POLL_CMD_PARAM);
// The sentences of the NMEA rates, GGA, GLL, GSA, GSV and RMC first, and the ones sent.
constexpr auto kNmeaRates = kSetNmeaMode.Fields<10>("rate");
constexpr int kRatesSent[4] = {0, 2, 3, 4};  // GGA, GSA, GSV, RMC

std::string HexBytes(std::span<const uint8_t> bytes)
{
    std::string text;
    for (uint8_t byte : bytes) {
        if (!text.empty()) {
            text += ' ';
        }
        AppendHex(text, byte);
    }
    return text;
}

std::vector<std::string_view> SplitFields(std::string_view body)
{
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (size_t comma = body.find(','); comma != std::string_view::npos; comma = body.find(',', start)) {
        fields.push_back(body.substr(start, comma - start));
        start = comma + 1;
    }
    fields.push_back(body.substr(start));
    return fields;
}

// The whole field as a number, -1 when it is not one.
long Number(std::string_view field, int base = 10)
{
    long value = -1;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value, base);
    return error == std::errc{} && end == field.data() + field.size() ? value : -1;
}

}  // namespace

CReceiverModel::CReceiverModel(const SimConfig& config, int64_t nowMs)
    : m_config(config),
      m_baud(config.baud),
      m_protocol(config.protocol),
      m_framer(*this, m_host),
      m_output(config.seed ^ 0x5A5A5A5Aull),
      m_motion(config.seed),
      m_settings(config.generation),
      m_beacon(config.seed ^ 0xD6B5ull),
      m_errors(config.seed ^ 0xE4404ull),
      m_startMs(nowMs),
      m_multiGnss(config.protocol == SimProtocol::Nmea && !config.gnss.empty())
{
    if (m_protocol == SimProtocol::Binary) {
        Send(VersionPayload(VersionText(m_config.generation)));
    }
}

void CReceiverModel::Receive(std::span<const uint8_t> bytes, int lineBaud)
{
    // One byte at a time: a command may change the baud the next byte is heard at.
    for (uint8_t byte : bytes) {
        if (lineBaud != m_baud) {
            m_framer.Reset();
            continue;
        }
        m_framer.Accept(&byte, 1);
    }
}

void CReceiverModel::Advance(int64_t nowMs)
{
    while (nowMs >= m_startMs + int64_t{m_seconds} * 1000) {
        RunSecond();
        ++m_seconds;
    }
}

void CReceiverModel::OnFrame(std::span<const uint8_t> payload)
{
    if (m_trace) {
        m_trace(HexBytes(BuildCommandFrame(payload)));
    }
    if (m_protocol != SimProtocol::Binary) {
        return;
    }
    Payload command(payload.begin(), payload.end());
    if (m_holding) {
        m_held.push_back(std::move(command));
    } else {
        Execute(command);
    }
}

void CReceiverModel::OnSentence(std::span<const uint8_t> sentence)
{
    const std::string_view text(reinterpret_cast<const char*>(sentence.data()), sentence.size() - 2);
    if (m_trace) {
        m_trace(text);
    }
    if (m_protocol != SimProtocol::Nmea) {
        return;
    }
    std::string_view body = text.substr(1);
    const size_t star = body.find('*');
    if (star != std::string_view::npos) {
        const long checksum = Number(body.substr(star + 1), 16);
        body = body.substr(0, star);
        if (checksum != NmeaChecksum(body)) {
            return;
        }
    }
    ExecuteSentence(body);
}

void CReceiverModel::RunSecond()
{
    m_last = m_motion.Next();
    if (m_config.dgps) {
        m_beacon.Advance();
        m_last.dgps = m_beacon.Locked() && m_last.FixCount() >= 4;
    }
    RunBusyCycle();
    if (m_protocol == SimProtocol::Binary) {
        SendBinarySecond(m_last);
    } else {
        SendNmeaSecond(m_last);
    }
}

bool CReceiverModel::Backlogged() const
{
    // A line that cannot carry a second's output in a second skips a report.
    return m_output.Size() > static_cast<size_t>(m_baud / 10);
}

void CReceiverModel::SendBinarySecond(const ReceiverSecond& second)
{
    if (m_restartSeconds > 0) {
        if (--m_restartSeconds == 0) {
            Send(VersionPayload(VersionText(m_config.generation)));
            Send(TextPayload("Restart: searching all channels"));
        }
        m_motion.TakeEvents();
        return;
    }
    if (!Backlogged()) {
        Payload navigation = NavigationPayload(second);
        if (m_holding && m_config.generation != 1) {
            navigation[kMode1] |= kNavHoldsCommands;  // keeps the program from sending
        }
        Send(navigation);
        Send(TrackerPayload(second));
        SendDgpsSecond(second);
    }
    if (const std::optional<Payload> error = m_errors.Next(second)) {
        Send(*error);
    }
    for (const std::string& event : m_motion.TakeEvents()) {
        Send(TextPayload(event));
    }
    if (m_seconds % kStatusEvery == kStatusEvery - 1) {
        Send(TextPayload(FormatText("Nav: %d SVs in fix, HDOP %.1f", {second.FixCount(), second.hdop})));
    }
}

void CReceiverModel::SendDgpsSecond(const ReceiverSecond& second)
{
    if (!m_config.dgps) {
        return;
    }
    Send(m_beacon.StatusPayload(second));
    if (const std::optional<Payload> corrections = m_beacon.TakeCorrections(second)) {
        Send(*corrections);
    }
}

void CReceiverModel::SendNmeaSecond(const ReceiverSecond& second)
{
    m_motion.TakeEvents();
    if (Backlogged()) {
        return;
    }
    if (m_multiGnss) {
        SendMultiGnssSecond(second);
        return;
    }
    for (const std::string& sentence : NmeaSentences(second)) {
        for (int i = 0; i < 4; ++i) {
            const uint8_t rate = m_nmeaRates[i];
            if (sentence.starts_with(kNmeaTalkers[i]) && rate != 0 && m_seconds % rate == 0) {
                SendSentence(sentence);
            }
        }
    }
}

void CReceiverModel::SendMultiGnssSecond(const ReceiverSecond& second)
{
    // While the GPS channels search after a restart, the other systems are not tracked either.
    const bool searching = second.FixCount() == 0;
    std::vector<GnssSatellite> satellites;
    for (const SkySystem system : m_config.gnss) {
        std::vector<GnssSatellite> some =
            system == SkySystem::Gps ? GpsSatellites(second) : OtherSystemSky(system, m_seconds);
        for (GnssSatellite& satellite : some) {
            if (searching) {
                satellite.cno = 0;
                satellite.inFix = false;
            }
            satellites.push_back(satellite);
        }
    }
    for (const std::string& sentence : MultiGnssSentences(second, satellites, m_config.gnss)) {
        SendSentence(sentence);
    }
}

void CReceiverModel::RunBusyCycle()
{
    if (!m_config.busy || m_protocol != SimProtocol::Binary) {
        return;
    }
    const int phase = (m_seconds + 1) % m_config.busyEvery;
    if (!m_holding && phase == m_config.busyEvery - m_config.busyFor) {
        m_holding = true;
        Send(OkToSendPayload(false));
    } else if (m_holding && phase == 0) {
        m_holding = false;
        Send(OkToSendPayload(true));
        while (!m_held.empty() && !m_holding) {
            const Payload command = std::move(m_held.front());
            m_held.pop_front();
            Execute(command);
        }
    }
}

void CReceiverModel::Execute(const Payload& command)
{
    const uint8_t mid = command[0];
    const uint8_t uartMid = m_config.generation == 1 ? kMidChangeUartChnlFirstGeneration : uint8_t{MID_ChangeUartChnl};
    switch (mid) {
    case MID_NavigationInitialization: Reset(command); break;
    case MID_SetNMEAMode: SwitchToNmea(command); return;
    case MID_PollSWVersion: Send(VersionPayload(VersionText(m_config.generation))); return;
    case MID_SetSerialPort:
        ChangeBaud(command, command.size() >= kSetSerialPort.Size()
                                ? CFieldValues::FromWire(kSetSerialPort, command).Get(kSetSerialPort.Field("baud"))
                                : 0);
        return;
    case MID_PollClockStatus: Send(ClockStatusPayload(m_last, m_motion.Clock())); return;
    case MID_PollAlmanac: PollAlmanac(); return;
    case MID_PollEphemeris: PollEphemeris(command); return;
    case MID_PollRxMgrParams: Send(m_settings.NavParameters()); return;
    case MID_POLL_CMD_PARAM: PollParameters(command); return;
    default:
        if (mid == uartMid) {
            ConfigureUarts(command);
            return;
        }
        if (!m_settings.Store(command) && std::ranges::find(kSetMids, mid) == std::end(kSetMids)) {
            Send(NakPayload(mid));
            return;
        }
    }
    Send(AckPayload(mid));
}

void CReceiverModel::Reset(const Payload& command)
{
    // Seconds without acquisition after each kind of start: the fuller the reset, the longer
    // the receiver searches before its first fix.
    // A short command reads as a hot start: the missing flags are 0.
    const int64_t start =
        CFieldValues::FromWire(kInitialization, command).Get(kInitialization.Field("resetFlags")) & 0x0F;
    const int searchSeconds = start >= 0x08 ? 45 : start >= 0x04 ? 35 : start >= 0x02 ? 20 : 0;
    m_motion.Reset(searchSeconds);
    m_restartSeconds = kRestartSeconds;
}

void CReceiverModel::SwitchToNmea(const Payload& command)
{
    const CFieldValues values = CFieldValues::FromWire(kSetNmeaMode, command);
    const auto baud = static_cast<int>(values.Get(kSetNmeaMode.Field("baud")));
    if (command.size() < kSetNmeaMode.Size() || !IsKnownBaud(baud)) {
        Send(NakPayload(command[0]));
        return;
    }
    for (int i = 0; i < 4; ++i) {
        m_nmeaRates[i] = static_cast<uint8_t>(values.Get(kNmeaRates[kRatesSent[i]]));
    }
    Send(AckPayload(command[0]));
    m_protocol = SimProtocol::Nmea;
    m_multiGnss = false;
    m_baud = baud;
    m_held.clear();  // the rest was meant for the binary protocol
}

void CReceiverModel::ChangeBaud(const Payload& command, uint32_t baud)
{
    if (!IsKnownBaud(baud)) {
        Send(NakPayload(command[0]));
        return;
    }
    // The answer leaves at the baud the command came in at.
    Send(AckPayload(command[0]));
    m_baud = static_cast<int>(baud);
}

void CReceiverModel::ConfigureUarts(const Payload& command)
{
    // The first entry is UART 0, the line of the program.
    constexpr uint8_t kUnset = 0xFF;
    const CFieldValues values = CFieldValues::FromWire(kChangeUart, command);
    if (command.size() < kChangeUart.Size()) {
        Send(NakPayload(command[0]));
    } else if (values.Get(kChangeUart.Field("uart")) == kUnset) {
        Send(AckPayload(command[0]));
    } else {
        ChangeBaud(command, static_cast<uint32_t>(values.Get(kChangeUart.Field("baud"))));
    }
}

void CReceiverModel::PollAlmanac()
{
    for (int sv = 1; sv <= kSvCount; ++sv) {
        Send(AlmanacPayload(static_cast<uint8_t>(sv)));
    }
}

void CReceiverModel::PollEphemeris(const Payload& command)
{
    const int sv = command.size() >= 2 ? command[1] : 0;
    if (sv > kSvCount) {
        Send(NakPayload(command[0]));
        return;
    }
    for (int each = sv == 0 ? 1 : sv; each <= (sv == 0 ? kSvCount : sv); ++each) {
        Send(EphemerisPayload(static_cast<uint8_t>(each)));
    }
}

void CReceiverModel::PollParameters(const Payload& command)
{
    // Generations before 3 do not know the poll.
    const Payload answer =
        m_config.generation >= 3 && command.size() >= 2
            ? m_settings.ParameterAnswer(
                  static_cast<uint8_t>(CFieldValues::FromWire(kPoll, command).Get(kPoll.Field("command"))))
            : Payload{};
    Send(answer.empty() ? NakPayload(command[0]) : answer);
}

void CReceiverModel::ExecuteSentence(std::string_view body)
{
    const std::vector<std::string_view> fields = SplitFields(body);
    // PORV101,<start>: a restart, 1 hot, 2 warm, 3 cold, 4 factory; the fix is searched anew.
    if (fields.size() >= 2 && fields[0] == "PORV101") {
        constexpr int kSearchSeconds[] = {0, 20, 35, 45};
        const long start = Number(fields[1]);
        if (start >= 1 && start <= 4) {
            m_motion.Reset(kSearchSeconds[start - 1]);
        }
        return;
    }
    // PORV100,<protocol>,<baud>,<data bits>,<stop bits>,<parity>: protocol 0 is binary.
    if (fields.size() < 3 || fields[0] != "PORV100" || Number(fields[1]) != 0 || !IsKnownBaud(Number(fields[2]))) {
        return;
    }
    m_protocol = SimProtocol::Binary;
    m_baud = static_cast<int>(Number(fields[2]));
    Send(VersionPayload(VersionText(m_config.generation)));
}

void CReceiverModel::Send(const Payload& payload)
{
    m_output.Push(BuildCommandFrame(payload), m_baud);
}

void CReceiverModel::SendSentence(std::string_view sentence)
{
    m_output.Push({reinterpret_cast<const uint8_t*>(sentence.data()), sentence.size()}, m_baud);
}

}  // namespace kestrion
