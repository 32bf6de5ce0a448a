#include "app/ReceiverCommands.h"

#include <algorithm>
#include <memory>

#include "app/AppServices.h"
#include "app/CommandTable.h"
#include "app/ViewSlots.h"
#include "dialogs/DgpsModeDialog.h"
#include "dialogs/DgpsSourceDialog.h"
#include "dialogs/DopMaskDialog.h"
#include "dialogs/ElevationMaskDialog.h"
#include "dialogs/LowPowerDialog.h"
#include "dialogs/MessageRateDialog.h"
#include "dialogs/NavModeDialog.h"
#include "dialogs/NmeaSwitchDialog.h"
#include "dialogs/OperatingModeDialog.h"
#include "dialogs/PowerMaskDialog.h"
#include "dialogs/ReceiverInitDialog.h"
#include "dialogs/SerialPortDialog.h"
#include "dialogs/StaticNavDialog.h"
#include "dialogs/UartConfigDialog.h"
#include "platform/SerialLine.h"
#include "protocol/CommandLayouts.h"
#include "protocol/CommandPayload.h"
#include "protocol/Mid.h"
#include "transport/Feed.h"
#include "transport/PeriodicReset.h"
#include "transport/SerialSource.h"

namespace kestrion {

namespace {

FileChooser ExportChooser(bool almanac, FileChooser::Mode mode)
{
    const bool load = mode == FileChooser::Mode::Load;
    if (almanac) {
        return {mode,
                load ? "  Specify Almanac Data Filename To Load" : "  Specify Almanac Data Filename To Save",
                "Almanac Files (*.alm)|*.alm|All Files (*.*)|*.*||", "almanac.alm"};
    }
    return {mode, load ? "  Specify Ephemeris Data Filename To Load" : "  Specify Ephemeris Data Filename To Save",
            "Ephemeris Files (*.eph)|*.eph|All Files (*.*)|*.*||", "ephemris.eph"};
}

// The low power answer holds two records: the low power payload, then the acquisition one.
constexpr size_t kLowPowerRecordSize = CommandLayout(MID_LowPower).Size();

template <class Dialog>
std::unique_ptr<CCommandDialog> MakeDialog(IUserInterface& ui, ProtocolState& state, std::span<const uint8_t> record)
{
    return std::make_unique<Dialog>(ui, state.generation, CCurrentValues(record));
}

std::unique_ptr<CCommandDialog> MakeLowPowerDialog(IUserInterface& ui, ProtocolState& state,
                                                   std::span<const uint8_t> record)
{
    const size_t split = std::min(record.size(), kLowPowerRecordSize);
    return std::make_unique<CLowPowerDialog>(ui, state, CCurrentValues(record.first(split)),
                                             CCurrentValues(record.subspan(split)));
}

// A navigation parameter command: the MID whose parameters it polls and sets, and its dialog.
struct ParameterCommandInfo {
    int id;
    uint8_t mid;
    std::unique_ptr<CCommandDialog> (*makeDialog)(IUserInterface&, ProtocolState&, std::span<const uint8_t> record);
};

constexpr ParameterCommandInfo kParameterCommands[] = {
    {ID_NAV_MODE_MASK, MID_SetNavMode, &MakeDialog<CNavModeDialog>},
    {ID_NAV_DOP_MASK, MID_SetDOPMode, &MakeDialog<CDopMaskDialog>},
    {ID_NAV_DGPS_MODE, MID_SetDGPSMode, &MakeDialog<CDgpsModeDialog>},
    {ID_NAV_DGPS_SOURCE, MID_DGPSSourceControl, &MakeDialog<CDgpsSourceDialog>},
    {ID_NAV_ELEVATION_MASK, MID_SetElevMask, &MakeDialog<CElevationMaskDialog>},
    {ID_NAV_POWER_MASK, MID_SetPowerMask, &MakeDialog<CPowerMaskDialog>},
    {ID_NAV_STATIC, MID_SetStaticNavigation, &MakeDialog<CStaticNavDialog>},
    {ID_SET_LOW_POWER, MID_LowPower, &MakeLowPowerDialog},
};

const ParameterCommandInfo* FindParameterCommand(auto ParameterCommandInfo::*field, int value)
{
    const auto found = std::ranges::find(kParameterCommands, value, field);
    return found != std::end(kParameterCommands) ? found : nullptr;
}

CSerialSource* SerialSourceOf(CMeasuredFeed& feed) { return dynamic_cast<CSerialSource*>(feed.Source()); }

// The line with another rate.
SerialSettings WithBaud(SerialSettings line, std::string baud)
{
    line.baud = std::move(baud);
    return line;
}

// The line's rate, 0 when it has none.
unsigned BaudOf(const SerialSettings& line) { return SerialLine::Of(line).baud.value_or(0); }

}  // namespace

// Every receiver command but the parameter commands, with what it needs before it runs.
std::span<const CReceiverCommands::Command> CReceiverCommands::Table()
{
    using C = CReceiverCommands;
    using F = CMeasuredFeed;
    using enum Needs;
    static const Command commands[] = {
        {ID_POLL_VERSION, Nothing, [](C& c, F& f) { c.Poll(f, std::array<uint8_t, 2>{MID_PollSWVersion, 0x00}); }},
        {ID_POLL_CLOCK, Nothing, [](C& c, F& f) { c.Poll(f, std::array<uint8_t, 2>{MID_PollClockStatus, 0x00}); }},
        {ID_POLL_NAV_PARAMETERS, Nothing,
         [](C& c, F& f) { c.Poll(f, std::array<uint8_t, 2>{MID_PollRxMgrParams, 0x00}); }},
        {ID_POLL_ALMANAC, Nothing, [](C& c, F& f) { c.PollToFile(f, true); }},
        {ID_POLL_EPHEMERIS, Nothing, [](C& c, F& f) { c.PollToFile(f, false); }},
        {ID_SWITCH_TO_USER1, Nothing,
         [](C&, F& f) { f.SendPayload(std::array<uint8_t, 2>{MID_SetProtocol, 0x04}); }},
        {ID_SET_MAIN_PORT, SerialPort, [](C& c, F& f) { c.SetMainSerialPort(f); }},
        {ID_SET_DGPS_PORT, SerialPort, [](C& c, F& f) { c.SetDgpsSerialPort(f); }},
        {ID_SET_UART, SerialPort, [](C& c, F& f) { c.ConfigureUarts(f); }},
        {ID_SWITCH_OPERATING_MODE, SerialPort,
         [](C& c, F& f) {
             COperatingModeDialog dialog(c.m_services.Ui());
             c.RunAndSend(dialog, f);
         }},
        {ID_SET_MESSAGE_RATE, SerialPort,
         [](C& c, F& f) {
             CMessageRateDialog dialog(c.m_services.Ui());
             c.RunAndSend(dialog, f);
         }},
        {ID_INITIALIZE, OpenSerialPort, [](C& c, F& f) { c.Initialize(f); }},
        {ID_SWITCH_TO_NMEA, OpenSerialPort, [](C& c, F& f) { c.SwitchToNmea(f); }},
        {ID_SWITCH_TO_ORVO, OpenSource, [](C&, F& f) { f.SwitchProtocol(3); }},
        {ID_SYNCHRONIZE, OpenSource, [](C&, F& f) { f.Synchronize(); }},
        {ID_SET_ALMANAC, OpenSource, [](C& c, F& f) { c.Upload(f, true); }},
        {ID_SET_EPHEMERIS, OpenSource, [](C& c, F& f) { c.Upload(f, false); }},
        {ID_TRANSMIT, OpenSerialPort, [](C& c, F& f) { c.Transmit(f); }},
    };
    return commands;
}

void CReceiverCommands::Run(int commandId, CMeasuredFeed& feed, bool sourceOpen)
{
    if (const ParameterCommandInfo* parameters = FindParameterCommand(&ParameterCommandInfo::id, commandId)) {
        ParameterCommand(feed, parameters->mid);
        return;
    }
    const auto command = std::ranges::find(Table(), commandId, &Command::id);
    if (command == Table().end()) {
        return;
    }
    const bool needsOpen = command->needs == Needs::OpenSource || command->needs == Needs::OpenSerialPort;
    const bool needsSerial = command->needs == Needs::SerialPort || command->needs == Needs::OpenSerialPort;
    if ((needsOpen && !sourceOpen) || (needsSerial && !feed.SerialSelected())) {
        return;
    }
    command->run(*this, feed);
}

bool CReceiverCommands::RunAndSend(CCommandDialog& dialog, CMeasuredFeed& feed)
{
    if (!m_services.Ui().RunDialog(dialog)) {
        return false;
    }
    for (const Payload& payload : dialog.Payloads()) {
        feed.SendPayload(payload);
    }
    return true;
}

void CReceiverCommands::ParameterCommand(CMeasuredFeed& feed, uint8_t mid)
{
    if (m_services.Protocol().generation < 3) {
        ParameterDialog(feed, mid, {});
    } else {
        feed.PollCommandParameters(mid);
    }
}

void CReceiverCommands::PollAnswered(CMeasuredFeed& feed, uint8_t subId, std::span<const uint8_t> record)
{
    ParameterDialog(feed, subId, record);
}

void CReceiverCommands::ParameterDialog(CMeasuredFeed& feed, uint8_t mid, std::span<const uint8_t> record)
{
    if (!feed.SerialSelected()) {
        return;
    }
    if (const ParameterCommandInfo* parameters = FindParameterCommand(&ParameterCommandInfo::mid, mid)) {
        RunAndSend(*parameters->makeDialog(m_services.Ui(), m_services.Protocol(), record), feed);
    }
}

void CReceiverCommands::Poll(CMeasuredFeed& feed, std::span<const uint8_t> payload)
{
    feed.SendPayload(payload);
    ShowView(kResponseSlot);
}

void CReceiverCommands::PollToFile(CMeasuredFeed& feed, bool almanac)
{
    const std::string name = m_services.Ui().ChooseFile(ExportChooser(almanac, FileChooser::Mode::Save));
    if (!name.empty()) {
        if (almanac) {
            m_services.almanacOutputName = name;
            feed.SendPayload(std::array<uint8_t, 2>{MID_PollAlmanac, 0x00});
        } else {
            m_services.ephemerisOutputName = name;
            feed.SendPayload(std::array<uint8_t, 3>{MID_PollEphemeris, 0x00, 0x00});
        }
    }
    ShowView(kResponseSlot);
}

void CReceiverCommands::Upload(CMeasuredFeed& feed, bool almanac)
{
    const std::string name = m_services.Ui().ChooseFile(ExportChooser(almanac, FileChooser::Mode::Load));
    if (name.empty()) {
        return;
    }
    if (almanac) {
        feed.UploadAlmanac(name);
    } else {
        feed.UploadEphemeris(name);
    }
}

void CReceiverCommands::Initialize(CMeasuredFeed& feed)
{
    const CProfile& profile = m_services.Profile();
    const int generation = m_services.Protocol().generation;
    CReceiverInitDialog dialog(m_services.Ui(), generation, profile);
    if (!m_services.Ui().RunDialog(dialog)) {
        return;
    }
    const std::time_t now = m_services.Clock().Now();
    m_services.Reset() = PeriodicReset{dialog.Period(), now};

    if (dialog.MessagesRequested() && BaudOf(feed.Line()) != 57600 && generation != 1) {
        feed.SendPayload(SerialPortPayload(MID_SetSerialPort, 57600, 8, 1, 0));
        if (!feed.Reconnect(WithBaud(feed.Line(), "57600"), true)) {
            return;
        }
    }
    Settings settings;
    settings.LoadReceiverInit(profile);
    feed.SendPayload(InitializationPayload(InitValuesOf(settings, now)));
    if (dialog.ResetMode() == 4 && BaudOf(feed.Line()) != 38400) {
        feed.Reconnect(WithBaud(feed.Line(), "38400"), true);
    }
}

void CReceiverCommands::SwitchToNmea(CMeasuredFeed& feed)
{
    CNmeaSwitchDialog dialog(m_services.Ui(), m_services.Protocol().generation);
    if (!RunAndSend(dialog, feed)) {
        return;
    }
    if (feed.SerialSelected()) {
        m_services.Protocol().versionDetection = false;  // before the open, which would forget the generation
    }
    const bool reopened = feed.Reconnect(WithBaud(feed.Line(), dialog.BaudText()), false);
    if (reopened && dialog.DevelopmentData()) {
        feed.SendNmea("PORV105,01");
    }
    m_services.WriteLog("Sent MID_SetNMEAMode Message: Enable\n");
}

void CReceiverCommands::SetMainSerialPort(CMeasuredFeed& feed)
{
    CSerialPortDialog dialog(m_services.Ui(), m_services.Protocol().generation, CSerialPortDialog::Variant::Main,
                             CSerialPortDialog::StoredSettings(m_services.Profile()));
    if (!RunAndSend(dialog, feed)) {
        return;
    }
    feed.Reconnect(SerialSettings{dialog.BaudText(), dialog.DataBitsText(), dialog.ParityText(), dialog.StopBitsText()},
                   true);
}

void CReceiverCommands::SetDgpsSerialPort(CMeasuredFeed& feed)
{
    CSerialPortDialog dialog(m_services.Ui(), m_services.Protocol().generation, CSerialPortDialog::Variant::Dgps,
                             CSerialPortDialog::StoredSettings(m_services.Profile()));
    RunAndSend(dialog, feed);
}

void CReceiverCommands::ConfigureUarts(CMeasuredFeed& feed)
{
    CUartConfigDialog dialog(m_services.Ui(), m_services.Protocol().generation);
    if (!RunAndSend(dialog, feed)) {
        return;
    }
    const uint32_t baud = dialog.ReceiverUartBaud();
    if (baud != 0 && baud != BaudOf(feed.Line())) {
        feed.Reconnect(WithBaud(feed.Line(), std::to_string(baud)), true);
    }
}

void CReceiverCommands::Transmit(CMeasuredFeed& feed)
{
    if (SerialSourceOf(feed) == nullptr) {
        return;
    }
    CSendDataDialog dialog(m_services.Ui(), m_sendData);
    // The source is looked up again: the port may have been reopened while the dialog showed.
    CSerialSource* serial = m_services.Ui().RunDialog(dialog) ? SerialSourceOf(feed) : nullptr;
    if (serial == nullptr) {
        return;
    }
    const std::vector<uint8_t>& bytes = dialog.Bytes();
    if (dialog.Output() == CSendDataDialog::Wrapper::Binary) {
        serial->SendCommand(bytes.data(), bytes.size());
    } else {
        serial->Port().RawWrite(bytes.data(), bytes.size());
    }
}

void CReceiverCommands::ShowView(int slot)
{
    if (m_showView) {
        m_showView(slot);
    }
}

}  // namespace kestrion
