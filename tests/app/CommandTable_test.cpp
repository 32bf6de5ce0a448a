#include "app/CommandTable.h"
#include "app/ViewSlots.h"

#include <gtest/gtest.h>

#include <set>

namespace kestrion {
namespace {

std::set<int> EnabledIds(const FrameState& state)
{
    std::set<int> ids;
    for (const CommandInfo& command : Commands()) {
        if (IsEnabled(command, state)) {
            ids.insert(command.id);
        }
    }
    return ids;
}

const std::set<int> kAlways = {ID_RECEIVER_SOFTWARE, ID_DATA_SOURCE_SETUP, ID_SHARE_RECEIVER, ID_PREFERENCES, ID_APP_ABOUT,
                               ID_APP_EXIT, ID_VIEW_SIGNAL, ID_VIEW_TRACKING, ID_VIEW_MAP, ID_VIEW_NAVIGATION,
                               ID_VIEW_DEVELOPMENT, ID_VIEW_RESPONSE, ID_VIEW_ERROR, ID_VIEW_DGPS_STATUS,
                               ID_VIEW_STATISTICS, ID_OPEN_DATA_SOURCE, ID_OPEN_LOG_FILE, ID_WINDOW_CASCADE,
                               ID_WINDOW_TILE, ID_WINDOW_ARRANGE};

std::set<int> Plus(std::set<int> ids, std::initializer_list<int> more)
{
    ids.insert(more);
    return ids;
}

TEST(CommandTable, EveryIdIsListedOnceAndFound)
{
    std::set<int> ids;
    for (const CommandInfo& command : Commands()) {
        EXPECT_TRUE(ids.insert(command.id).second) << command.id;
        EXPECT_EQ(FindCommand(command.id), &command);
        EXPECT_EQ(SlotOfViewCommand(command.id) >= 0, command.menu == Menu::View) << command.id;
    }
    EXPECT_EQ(ids.size(), 50u);
    EXPECT_EQ(FindCommand(12345), nullptr);
}

TEST(CommandTable, EnabledSetsFollowTheFrameState)
{
    const std::set<int> open = Plus(kAlways, {ID_PAUSE_DISPLAY, ID_SYNCHRONIZE, ID_SWITCH_TO_USER1, ID_TRANSMIT});
    const std::set<int> binary =
        Plus(open, {ID_INITIALIZE, ID_SWITCH_TO_NMEA, ID_SET_MAIN_PORT, ID_SET_DGPS_PORT, ID_SET_ALMANAC,
                    ID_SET_EPHEMERIS, ID_SWITCH_OPERATING_MODE, ID_SET_LOW_POWER, ID_SET_UART, ID_NAV_MODE_MASK,
                    ID_NAV_DOP_MASK, ID_NAV_DGPS_MODE, ID_NAV_ELEVATION_MASK, ID_NAV_POWER_MASK, ID_POLL_VERSION,
                    ID_POLL_CLOCK, ID_POLL_ALMANAC, ID_POLL_EPHEMERIS, ID_POLL_NAV_PARAMETERS});
    const std::set<int> binaryLater = Plus(binary, {ID_SET_MESSAGE_RATE, ID_NAV_STATIC, ID_NAV_DGPS_SOURCE});

    struct Case {
        const char* name;
        FrameState state;
        std::set<int> expected;
    };
    const Case cases[] = {
        {"closed", {}, kAlways},
        {"closed, NMEA, generation 3", {.nmeaMode = true, .generation = 3}, kAlways},
        {"open, NMEA", {.sourceOpen = true, .nmeaMode = true, .generation = 3}, Plus(open, {ID_SWITCH_TO_ORVO})},
        {"open, generation 1", {.sourceOpen = true, .generation = 1}, binary},
        {"open, generation unknown", {.sourceOpen = true, .generation = -1}, binaryLater},
        {"open, generation 3, dead reckoning seen",
         {.sourceOpen = true, .generation = 3, .deadReckoningSeen = true},
         Plus(binaryLater, {ID_BREVANE})},
        {"NMEA with dead reckoning seen",
         {.sourceOpen = true, .nmeaMode = true, .deadReckoningSeen = true},
         Plus(open, {ID_SWITCH_TO_ORVO})},
        {"open on a port, generation unknown",
         {.sourceOpen = true, .generation = -1, .portSource = true},
         Plus(binaryLater, {ID_RECORD_RAW_DATA})},
        {"closed, last opened on a port", {.portSource = true}, kAlways},
        {"a hidden view", {.viewExists = {false, false, false, false, false, true}}, Plus(kAlways, {ID_CLOSE_ALL})},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EnabledIds(c.state), c.expected) << c.name;
    }
}

TEST(CommandTable, CheckMarks)
{
    const CommandInfo& response = *FindCommand(ID_VIEW_RESPONSE);
    const CommandInfo& brevane = *FindCommand(ID_BREVANE);
    FrameState state{.sourceOpen = true, .logOpen = true, .paused = true};
    state.viewExists[5] = true;
    EXPECT_FALSE(IsChecked(response, state)) << "a hidden view";
    state.viewVisible[5] = true;
    EXPECT_TRUE(IsChecked(response, state));
    EXPECT_FALSE(IsChecked(*FindCommand(ID_VIEW_ERROR), state));
    EXPECT_TRUE(IsChecked(*FindCommand(ID_OPEN_DATA_SOURCE), state));
    EXPECT_TRUE(IsChecked(*FindCommand(ID_OPEN_LOG_FILE), state));
    EXPECT_TRUE(IsChecked(*FindCommand(ID_PAUSE_DISPLAY), state));
    EXPECT_FALSE(IsChecked(*FindCommand(ID_INITIALIZE), state));

    state.relayRunning = true;
    EXPECT_FALSE(IsChecked(brevane, state)) << "a running link is unchecked while the command is disabled";
    state.deadReckoningSeen = true;
    EXPECT_TRUE(IsChecked(brevane, state));

    const CommandInfo& record = *FindCommand(ID_RECORD_RAW_DATA);
    const CommandInfo& share = *FindCommand(ID_SHARE_RECEIVER);
    EXPECT_FALSE(IsChecked(record, state));
    EXPECT_FALSE(IsChecked(share, state));
    state.recording = true;
    state.sharing = true;
    EXPECT_TRUE(IsChecked(record, state));
    EXPECT_TRUE(IsChecked(share, state));
}

TEST(CommandTable, ToolbarEntriesAreCommands)
{
    for (int id : kToolbar) {
        EXPECT_TRUE(id == 0 || FindCommand(id) != nullptr) << id;
    }
}

}  // namespace
}  // namespace kestrion
