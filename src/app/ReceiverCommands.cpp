#include "app/ReceiverCommands.h"

#include <cstdlib>
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

// The MID whose parameters a navigation parameter command polls and sets.
uint8_t ParameterMidOf(int commandId)
{
    switch (commandId) {
    case ID_NAV_MODE_MASK: return MID_SetNavMode;
    case ID_NAV_DOP_MASK: return MID_SetDOPMode;
    case ID_NAV_DGPS_MODE: return MID_SetDGPSMode;
    case ID_NAV_DGPS_SOURCE: return MID_DGPSSourceControl;
    case ID_NAV_ELEVATION_MASK: return MID_SetElevMask;
    case ID_NAV_POWER_MASK: return MID_SetPowerMask;
    case ID_NAV_STATIC: return MID_SetStaticNavigation;
    case ID_SET_LOW_POWER: return MID_LowPower;
    default: return 0;
    }
}

// The low power answer holds two records: the low power payload, then the acquisition one.
constexpr size_t kLowPowerRecordSize = CommandLayout(MID_LowPower).Size();

std::unique_ptr<CCommandDialog> MakeParameterDialog(uint8_t mid, IUserInterface& ui, ProtocolState& state,
                                                    std::span<const uint8_t> record)
{
    const CCurrentValues current(record);
    const int generation = state.generation;
    switch (mid) {
    case MID_SetNavMode: return std::make_unique<CNavModeDialog>(ui, generation, current);
    case MID_SetDOPMode: return std::make_unique<CDopMaskDialog>(ui, generation, current);
    case MID_SetDGPSMode: return std::make_unique<CDgpsModeDialog>(ui, generation, current);
    case MID_DGPSSourceControl: return std::make_unique<CDgpsSourceDialog>(ui, generation, current);
    case MID_SetElevMask: return std::make_unique<CElevationMaskDialog>(ui, generation, current);
    case MID_SetPowerMask: return std::make_unique<CPowerMaskDialog>(ui, generation, current);
    case MID_SetStaticNavigation: return std::make_unique<CStaticNavDialog>(ui, generation, current);
    case MID_LowPower: {
        const size_t split = std::min(record.size(), kLowPowerRecordSize);
        return std::make_unique<CLowPowerDialog>(ui, state, CCurrentValues(record.first(split)),
                                                 CCurrentValues(record.subspan(split)));
    }
    default: return nullptr;
    }
}

CSerialSource* SerialSourceOf(CMeasuredFeed& feed) { return dynamic_cast<CSerialSource*>(feed.Source()); }

// The stored baud rate of the measured port ("MeasSerialBaud"), 0 when it is not a number.
unsigned long StoredBaud(const CProfile& profile, const char* fallback)
{
    return std::strtoul(profile.GetString("Data Sources", "MeasSerialBaud", fallback).c_str(), nullptr, 10);
}

}  // namespace

void CReceiverCommands::Run(int commandId, CMeasuredFeed& feed, bool sourceOpen)
{
    if (const uint8_t mid = ParameterMidOf(commandId); mid != 0) {
        ParameterCommand(feed, mid);
        return;
    }
    switch (commandId) {
    case ID_POLL_VERSION: Poll(feed, std::array<uint8_t, 2>{MID_PollSWVersion, 0x00}); break;
    case ID_POLL_CLOCK: Poll(feed, std::array<uint8_t, 2>{MID_PollClockStatus, 0x00}); break;
    case ID_POLL_NAV_PARAMETERS: Poll(feed, std::array<uint8_t, 2>{MID_PollRxMgrParams, 0x00}); break;
    case ID_POLL_ALMANAC: PollToFile(feed, true); break;
    case ID_POLL_EPHEMERIS: PollToFile(feed, false); break;
    case ID_SWITCH_TO_USER1: feed.SendPayload(std::array<uint8_t, 2>{MID_SetProtocol, 0x04}); break;
    case ID_SET_MAIN_PORT: SetMainSerialPort(feed); break;
    case ID_SET_DGPS_PORT: SetDgpsSerialPort(feed); break;
    case ID_SET_UART: ConfigureUarts(feed); break;
    case ID_SWITCH_OPERATING_MODE:
        if (feed.SerialSelected()) {
            COperatingModeDialog dialog(m_services.Ui());
            RunAndSend(dialog, feed);
        }
        break;
    case ID_SET_MESSAGE_RATE:
        if (feed.SerialSelected()) {
            CMessageRateDialog dialog(m_services.Ui());
            RunAndSend(dialog, feed);
        }
        break;
    default: break;
    }
    if (!sourceOpen) {
        return;
    }
    // These act only on an open data source.
    switch (commandId) {
    case ID_INITIALIZE: Initialize(feed); break;
    case ID_SWITCH_TO_NMEA: SwitchToNmea(feed); break;
    case ID_SWITCH_TO_ORVO: feed.SwitchProtocol(3); break;
    case ID_SYNCHRONIZE: feed.Synchronize(); break;
    case ID_SET_ALMANAC: Upload(feed, true); break;
    case ID_SET_EPHEMERIS: Upload(feed, false); break;
    case ID_TRANSMIT: Transmit(feed); break;
    default: break;
    }
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
    if (const auto dialog = MakeParameterDialog(mid, m_services.Ui(), m_services.Protocol(), record)) {
        RunAndSend(*dialog, feed);
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
    if (!feed.SerialSelected()) {
        return;
    }
    const CProfile& profile = m_services.Profile();
    const int generation = m_services.Protocol().generation;
    CReceiverInitDialog dialog(m_services.Ui(), generation, profile);
    if (!m_services.Ui().RunDialog(dialog)) {
        return;
    }
    const std::time_t now = m_services.Clock().Now();
    m_services.Reset() = PeriodicReset{dialog.Period(), now};

    if (dialog.MessagesRequested() && StoredBaud(profile, "38400") != 57600 && generation != 1) {
        feed.SendPayload(SerialPortPayload(MID_SetSerialPort, 57600, 8, 1, 0));
        if (!feed.Reconnect(CMeasuredFeed::StoreBaud("57600"), true)) {
            return;
        }
    }
    CSettings settings;
    settings.LoadReceiverInit(profile);
    feed.SendPayload(InitializationPayload(InitValuesOf(settings, now)));
    if (dialog.ResetMode() == 4 && StoredBaud(profile, "38400") != 38400) {
        feed.Reconnect(CMeasuredFeed::StoreBaud("38400"), true);
    }
}

void CReceiverCommands::SwitchToNmea(CMeasuredFeed& feed)
{
    if (!feed.SerialSelected()) {
        return;
    }
    CNmeaSwitchDialog dialog(m_services.Ui(), m_services.Protocol().generation);
    if (!RunAndSend(dialog, feed)) {
        return;
    }
    ProtocolState& protocol = m_services.Protocol();
    const CMeasuredFeed::SettingsStore storeBaud = CMeasuredFeed::StoreBaud(dialog.BaudText());
    const bool reopened = feed.Reconnect(
        [&](const CProfile& profile) {
            protocol.versionDetection = false;  // before the open, which would forget the generation
            storeBaud(profile);
        },
        false);
    if (reopened && dialog.DevelopmentData()) {
        feed.SendNmea("PORV105,01");
    }
    m_services.WriteLog("Sent MID_SetNMEAMode Message: Enable\n");
}

void CReceiverCommands::SetMainSerialPort(CMeasuredFeed& feed)
{
    if (!feed.SerialSelected()) {
        return;
    }
    CSerialPortDialog dialog(m_services.Ui(), m_services.Protocol().generation, CSerialPortDialog::Variant::Main,
                             CSerialPortDialog::StoredSettings(m_services.Profile()));
    if (!RunAndSend(dialog, feed)) {
        return;
    }
    feed.Reconnect(CMeasuredFeed::StoreLine(dialog.BaudText(), dialog.DataBitsText(), dialog.ParityText(),
                                            dialog.StopBitsText()),
                   true);
}

void CReceiverCommands::SetDgpsSerialPort(CMeasuredFeed& feed)
{
    if (!feed.SerialSelected()) {
        return;
    }
    CSerialPortDialog dialog(m_services.Ui(), m_services.Protocol().generation, CSerialPortDialog::Variant::Dgps,
                             CSerialPortDialog::StoredSettings(m_services.Profile()));
    RunAndSend(dialog, feed);
}

void CReceiverCommands::ConfigureUarts(CMeasuredFeed& feed)
{
    if (!feed.SerialSelected()) {
        return;
    }
    CUartConfigDialog dialog(m_services.Ui(), m_services.Protocol().generation);
    if (!RunAndSend(dialog, feed)) {
        return;
    }
    const uint32_t baud = dialog.ReceiverUartBaud();
    if (baud != 0 && baud != StoredBaud(m_services.Profile(), "")) {
        feed.Reconnect(CMeasuredFeed::StoreBaud(std::to_string(baud)), true);
    }
}

void CReceiverCommands::Transmit(CMeasuredFeed& feed)
{
    if (!feed.SerialSelected()) {
        return;
    }
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
