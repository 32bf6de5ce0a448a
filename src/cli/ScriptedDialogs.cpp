#include "cli/ScriptedDialogs.h"

#include <memory>

#include "app/CommandTable.h"
#include "app/HeadlessUi.h"
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
#include "dialogs/RelayPortDialog.h"
#include "dialogs/SendDataDialog.h"
#include "dialogs/SerialPortDialog.h"
#include "dialogs/SoftwareSelection.h"
#include "dialogs/StaticNavDialog.h"
#include "dialogs/UartConfigDialog.h"
#include "platform/SerialPorts.h"

namespace kestrion::cli {
namespace {

// What the dialogs are built on: none of them is shown.
struct DialogContext {
    IUserInterface& ui;
    const CProfile& profile;
    ProtocolState& state;
    SendDataMemory& memory;
};

// The dialog command id opens for a receiver of the state's generation; null for none.
std::unique_ptr<CDialogForm> DialogOf(int id, DialogContext& context)
{
    IUserInterface& ui = context.ui;
    const int generation = context.state.generation;
    switch (id) {
    case ID_INITIALIZE: return std::make_unique<CReceiverInitDialog>(ui, generation, context.profile);
    case ID_SWITCH_TO_NMEA: return std::make_unique<CNmeaSwitchDialog>(ui, generation);
    case ID_SET_MAIN_PORT:
    case ID_SET_DGPS_PORT: {
        const auto variant = id == ID_SET_MAIN_PORT ? CSerialPortDialog::Variant::Main : CSerialPortDialog::Variant::Dgps;
        return std::make_unique<CSerialPortDialog>(ui, generation, variant,
                                                   CSerialPortDialog::StoredSettings(context.profile));
    }
    case ID_SET_UART: return std::make_unique<CUartConfigDialog>(ui, generation);
    case ID_SWITCH_OPERATING_MODE: return std::make_unique<COperatingModeDialog>(ui);
    case ID_SET_MESSAGE_RATE: return std::make_unique<CMessageRateDialog>(ui);
    case ID_SET_LOW_POWER: return std::make_unique<CLowPowerDialog>(ui, context.state);
    case ID_NAV_MODE_MASK: return std::make_unique<CNavModeDialog>(ui, generation);
    case ID_NAV_DOP_MASK: return std::make_unique<CDopMaskDialog>(ui, generation);
    case ID_NAV_DGPS_MODE: return std::make_unique<CDgpsModeDialog>(ui, generation);
    case ID_NAV_ELEVATION_MASK: return std::make_unique<CElevationMaskDialog>(ui, generation);
    case ID_NAV_POWER_MASK: return std::make_unique<CPowerMaskDialog>(ui, generation);
    case ID_NAV_STATIC: return std::make_unique<CStaticNavDialog>(ui, generation);
    case ID_NAV_DGPS_SOURCE: return std::make_unique<CDgpsSourceDialog>(ui, generation);
    case ID_TRANSMIT: return std::make_unique<CSendDataDialog>(ui, context.memory);
    case ID_RECEIVER_SOFTWARE: return std::make_unique<CSoftwareSelection>(ui, context.state);
    case ID_BREVANE: return std::make_unique<CRelayPortDialog>(ui, ListSerialPorts());
    default: return nullptr;
    }
}

std::string Quoted(const DialogSetting& setting)
{
    return "--set " + (setting.bare ? setting.label : setting.label + "=" + setting.value);
}

}  // namespace

std::string SettingsMisfit(const std::vector<ScriptedCommand>& commands, const std::vector<DialogSetting>& settings,
                           const CProfile& profile)
{
    if (settings.empty()) {
        return {};
    }
    std::FILE* quiet = std::fopen("/dev/null", "w");
    CHeadlessUi ui(quiet != nullptr ? quiet : stderr);
    ProtocolState state;
    SendDataMemory memory;
    DialogContext context{ui, profile, state, memory};
    std::vector<std::unique_ptr<CDialogForm>> dialogs;
    for (const ScriptedCommand& command : commands) {
        for (const int generation : {1, 2, 3}) {
            state.generation = generation;
            if (auto dialog = DialogOf(command.id, context)) {
                dialogs.push_back(std::move(dialog));
            }
        }
    }
    // A value fits when one of the dialogs that has the control takes it: the generations
    // differ in their items and ranges, and the receiver's is not known before the run.
    std::string misfit;
    for (const DialogSetting& setting : settings) {
        bool named = false;
        bool taken = false;
        std::string problem;
        for (const auto& dialog : dialogs) {
            bool namedHere = false;
            std::string here = SettingProblem(*dialog, setting, namedHere);
            named = named || namedHere;
            taken = taken || (namedHere && here.empty());
            if (problem.empty()) {
                problem = std::move(here);
            }
        }
        if (!named) {
            misfit = Quoted(setting) + " names no control of the dialogs the commands open";
        } else if (!taken) {
            misfit = Quoted(setting) + ": " + problem;
        }
        if (!misfit.empty()) {
            break;
        }
    }
    if (quiet != nullptr) {
        std::fclose(quiet);
    }
    return misfit;
}

}  // namespace kestrion::cli
