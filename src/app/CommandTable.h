#pragma once
// The main frame's command vocabulary as data: every menu command with its id, menu, label and
// the rules that enable and check it from the frame's state. The window builds its menus and
// toolbar from this table and asks it before showing a command; no enabling is scattered.
#include <array>
#include <span>
#include <string_view>

namespace kestrion {

// Command ids.
enum CommandId : int {
    ID_VIEW_SIGNAL = 32771,
    ID_VIEW_TRACKING = 32772,
    ID_VIEW_MAP = 32773,
    ID_VIEW_DEVELOPMENT = 32774,
    ID_VIEW_RESPONSE = 32775,
    ID_VIEW_ERROR = 32776,
    ID_VIEW_NAVIGATION = 32777,
    ID_VIEW_DGPS_STATUS = 32778,
    ID_VIEW_STATISTICS = 32779,
    ID_OPEN_DATA_SOURCE = 32785,
    ID_OPEN_LOG_FILE = 32786,
    ID_PAUSE_DISPLAY = 32787,
    ID_INITIALIZE = 32788,
    ID_SWITCH_TO_NMEA = 32791,
    ID_SWITCH_TO_ORVO = 32792,
    ID_SWITCH_TO_USER1 = 32793,
    ID_SET_MAIN_PORT = 32794,
    ID_SET_DGPS_PORT = 32796,
    ID_SET_ALMANAC = 32797,
    ID_SET_EPHEMERIS = 32798,
    ID_SWITCH_OPERATING_MODE = 32799,
    ID_SET_LOW_POWER = 32800,
    ID_SYNCHRONIZE = 32801,
    ID_SET_UART = 32802,
    ID_SET_MESSAGE_RATE = 32804,
    ID_NAV_MODE_MASK = 32810,
    ID_NAV_DOP_MASK = 32811,
    ID_NAV_DGPS_MODE = 32812,
    ID_NAV_ELEVATION_MASK = 32813,
    ID_NAV_POWER_MASK = 32814,
    ID_NAV_STATIC = 32815,
    ID_NAV_DGPS_SOURCE = 32816,
    ID_POLL_VERSION = 32820,
    ID_POLL_CLOCK = 32821,
    ID_POLL_ALMANAC = 32822,
    ID_POLL_EPHEMERIS = 32823,
    ID_POLL_NAV_PARAMETERS = 32824,
    ID_PREFERENCES = 32830,
    ID_CLOSE_ALL = 32831,
    ID_RECEIVER_SOFTWARE = 32832,
    ID_BREVANE = 32833,
    ID_TRANSMIT = 32835,
    ID_RECORD_RAW_DATA = 32836,
    ID_SHARE_RECEIVER = 32837,
    ID_DATA_SOURCE_SETUP = 57601,
    ID_WINDOW_ARRANGE = 57649,
    ID_WINDOW_CASCADE = 57650,
    ID_WINDOW_TILE = 57651,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
};

enum class Menu { Setup, View, Action, Navigation, Poll, Window };

// When a command is enabled.
enum class EnableRule {
    Always,
    AnyView,            // some view exists
    Open,               // a data source is open
    OpenNmea,           // open and in NMEA display mode
    OpenBinary,         // open and not in NMEA display mode
    OpenBinaryNotGen1,  // open, not NMEA, receiver software generation is not 1
    OpenBinaryDrSeen,   // open, not NMEA, dead-reckoning data seen
    OpenPort,           // open on a serial port or a network receiver
};

// When a command carries a check mark.
enum class CheckRule { Never, ViewVisible, SourceOpen, LogOpen, Paused, RelayRunning, Recording, Sharing };

// Who carries a command out.
enum class Handler {
    Frame,     // the window: views, windows, dialogs of the frame, about, exit
    Engine,    // the engine's own state: data source, log, pause, relay link, software selection,
               // raw recording and sharing
    Receiver,  // a command to the receiver, through the document's measured feed
};

struct CommandInfo {
    int id;
    Menu menu;
    std::string_view label;
    std::string_view submenu;  // "M&essages" for the message views, else empty
    EnableRule enable;
    CheckRule check;
    Handler handler;
};

// The views the frame has, one per view slot.
inline constexpr size_t kViewSlotCount = 9;

// What the update rules read.
struct FrameState {
    bool sourceOpen = false;
    bool nmeaMode = false;
    int generation = -1;
    bool logOpen = false;
    bool paused = false;
    bool deadReckoningSeen = false;
    bool relayRunning = false;
    bool portSource = false;  // the measured data source is a serial port or a network receiver
    bool recording = false;
    bool sharing = false;
    std::array<bool, kViewSlotCount> viewExists{};  // by view slot
    std::array<bool, kViewSlotCount> viewVisible{};
};

// Every menu command, menu by menu in menu order.
std::span<const CommandInfo> Commands();
// The command of an id, or null.
const CommandInfo* FindCommand(int id);

bool IsEnabled(const CommandInfo& command, const FrameState& state);
bool IsChecked(const CommandInfo& command, const FrameState& state);

// The toolbar: command ids in order, 0 for a separator.
inline constexpr std::array<int, 11> kToolbar = {
    ID_DATA_SOURCE_SETUP, 0, ID_VIEW_SIGNAL, ID_VIEW_TRACKING, ID_VIEW_MAP, 0,
    ID_OPEN_DATA_SOURCE, ID_PAUSE_DISPLAY, ID_OPEN_LOG_FILE, 0, ID_INITIALIZE,
};

}  // namespace kestrion
