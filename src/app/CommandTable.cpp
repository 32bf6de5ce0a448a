#include "app/CommandTable.h"

#include <algorithm>

#include "app/ViewSlots.h"

namespace kestrion {

namespace {

using enum Menu;
using enum EnableRule;
using enum CheckRule;
using enum Handler;

constexpr std::string_view kMessages = "M&essages";

constexpr CommandInfo kCommands[] = {
    {ID_RECEIVER_SOFTWARE, Setup, "&Receiver S/W...", {}, Always, Never, Engine},
    {ID_DATA_SOURCE_SETUP, Setup, "&Data Source...", {}, Always, Never, Frame},
    {ID_SHARE_RECEIVER, Setup, "S&hare Receiver...", {}, Always, Sharing, Engine},
    {ID_PREFERENCES, Setup, "&Preferences...", {}, Always, Never, Frame},
    {ID_APP_ABOUT, Setup, "&About Kestrion Demo...", {}, Always, Never, Frame},
    {ID_APP_EXIT, Setup, "E&xit", {}, Always, Never, Frame},

    {ID_VIEW_SIGNAL, View, "&Signal Level", {}, Always, ViewVisible, Frame},
    {ID_VIEW_TRACKING, View, "&Tracking", {}, Always, ViewVisible, Frame},
    {ID_VIEW_MAP, View, "&Map", {}, Always, ViewVisible, Frame},
    {ID_VIEW_NAVIGATION, View, "&Navigation", kMessages, Always, ViewVisible, Frame},
    {ID_VIEW_DEVELOPMENT, View, "&Development", kMessages, Always, ViewVisible, Frame},
    {ID_VIEW_RESPONSE, View, "&Response", kMessages, Always, ViewVisible, Frame},
    {ID_VIEW_ERROR, View, "&Error", kMessages, Always, ViewVisible, Frame},
    {ID_VIEW_DGPS_STATUS, View, "D&GPS Status", kMessages, Always, ViewVisible, Frame},
    {ID_VIEW_STATISTICS, View, "&Statistics", {}, Always, ViewVisible, Frame},

    {ID_OPEN_DATA_SOURCE, Action, "Open &Data Source", {}, Always, SourceOpen, Engine},
    {ID_OPEN_LOG_FILE, Action, "Open Log &File...", {}, Always, LogOpen, Engine},
    {ID_RECORD_RAW_DATA, Action, "Record Ra&w Data...", {}, OpenPort, Recording, Engine},
    {ID_PAUSE_DISPLAY, Action, "&Pause Display", {}, Open, Paused, Engine},
    {ID_INITIALIZE, Action, "&Initialize Data Source...", {}, OpenBinary, Never, Receiver},
    {ID_SWITCH_TO_NMEA, Action, "Switch to &NMEA Protocol...", {}, OpenBinary, Never, Receiver},
    {ID_SWITCH_TO_ORVO, Action, "Switch to &Orvo Protocol", {}, OpenNmea, Never, Receiver},
    {ID_SYNCHRONIZE, Action, "S&ynchronize Protocol and Baud Rate", {}, Open, Never, Receiver},
    {ID_SWITCH_TO_USER1, Action, "Switch to &User1 Protocol", {}, Open, Never, Receiver},
    {ID_SET_MAIN_PORT, Action, "Set &Main Serial Port...", {}, OpenBinary, Never, Receiver},
    {ID_SET_DGPS_PORT, Action, "Set D&GPS Serial Port...", {}, OpenBinary, Never, Receiver},
    {ID_SET_UART, Action, "Set UART &Configuration...", {}, OpenBinary, Never, Receiver},
    {ID_SET_ALMANAC, Action, "Set &Almanac...", {}, OpenBinary, Never, Receiver},
    {ID_SET_EPHEMERIS, Action, "Set &Ephemeris...", {}, OpenBinary, Never, Receiver},
    {ID_SWITCH_OPERATING_MODE, Action, "Switch &Operating Mode...", {}, OpenBinary, Never, Receiver},
    {ID_SET_LOW_POWER, Action, "Set &Low Power...", {}, OpenBinary, Never, Receiver},
    {ID_SET_MESSAGE_RATE, Action, "Set Message &Rate...", {}, OpenBinaryNotGen1, Never, Receiver},
    {ID_TRANSMIT, Action, "&Transmit Serial Message...", {}, Open, Never, Receiver},

    {ID_NAV_MODE_MASK, Navigation, "&Mode Mask...", {}, OpenBinary, Never, Receiver},
    {ID_NAV_DOP_MASK, Navigation, "D&OP Mask...", {}, OpenBinary, Never, Receiver},
    {ID_NAV_ELEVATION_MASK, Navigation, "&Elevation Mask...", {}, OpenBinary, Never, Receiver},
    {ID_NAV_POWER_MASK, Navigation, "&Power Mask...", {}, OpenBinary, Never, Receiver},
    {ID_NAV_STATIC, Navigation, "Static &Navigation...", {}, OpenBinaryNotGen1, Never, Receiver},
    {ID_NAV_DGPS_MODE, Navigation, "&DGPS Mode...", {}, OpenBinary, Never, Receiver},
    {ID_NAV_DGPS_SOURCE, Navigation, "D&GPS Source...", {}, OpenBinaryNotGen1, Never, Receiver},
    {ID_BREVANE, Navigation, "&Brevane", {}, OpenBinaryDrSeen, RelayRunning, Engine},

    {ID_POLL_VERSION, Poll, "SW &Version", {}, OpenBinary, Never, Receiver},
    {ID_POLL_CLOCK, Poll, "Clock &Status", {}, OpenBinary, Never, Receiver},
    {ID_POLL_NAV_PARAMETERS, Poll, "&Navigation Parameters", {}, OpenBinary, Never, Receiver},
    {ID_POLL_ALMANAC, Poll, "&Almanac...", {}, OpenBinary, Never, Receiver},
    {ID_POLL_EPHEMERIS, Poll, "&Ephemeris...", {}, OpenBinary, Never, Receiver},

    {ID_WINDOW_CASCADE, Window, "&Cascade", {}, Always, Never, Frame},
    {ID_WINDOW_TILE, Window, "&Tile", {}, Always, Never, Frame},
    {ID_WINDOW_ARRANGE, Window, "&Arrange Icons", {}, Always, Never, Frame},
    {ID_CLOSE_ALL, Window, "Close A&ll", {}, AnyView, Never, Frame},
};

}  // namespace

std::span<const CommandInfo> Commands() { return kCommands; }

const CommandInfo* FindCommand(int id)
{
    const auto found = std::find_if(std::begin(kCommands), std::end(kCommands),
                                    [id](const CommandInfo& command) { return command.id == id; });
    return found != std::end(kCommands) ? found : nullptr;
}

bool IsEnabled(const CommandInfo& command, const FrameState& state)
{
    const bool binary = state.sourceOpen && !state.nmeaMode;
    switch (command.enable) {
    case Always: return true;
    case AnyView: return std::ranges::any_of(state.viewExists, [](bool exists) { return exists; });
    case Open: return state.sourceOpen;
    case OpenNmea: return state.sourceOpen && state.nmeaMode;
    case OpenBinary: return binary;
    case OpenBinaryNotGen1: return binary && state.generation != 1;
    case OpenBinaryDrSeen: return binary && state.deadReckoningSeen;
    case OpenPort: return state.sourceOpen && state.portSource;
    }
    return false;
}

bool IsChecked(const CommandInfo& command, const FrameState& state)
{
    switch (command.check) {
    case Never: return false;
    case ViewVisible: {
        const auto slot = static_cast<size_t>(SlotOfViewCommand(command.id));
        return state.viewExists[slot] && state.viewVisible[slot];
    }
    case SourceOpen: return state.sourceOpen;
    case LogOpen: return state.logOpen;
    case Paused: return state.paused;
    case RelayRunning: return state.relayRunning && IsEnabled(command, state);
    case Recording: return state.recording;
    case Sharing: return state.sharing;
    }
    return false;
}

}  // namespace kestrion
