#pragma once
// Commands scripted on the command line: "ID@S" carries out command ID, S seconds after the
// data source opened, as the menu would, when its enabled rule allows it then. After each
// receiver initialisation the time to the first fix is reported.
#include <cstdint>
#include <cstdio>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/CommandTable.h"
#include "app/DocumentView.h"
#include "cli/FirstFixWatch.h"
#include "platform/LoopTimers.h"

namespace kestrion {
class CEngine;
}

namespace kestrion::cli {

struct ScriptedCommand {
    int id = 0;
    int64_t atMs = 0;
};

// "32820@5" or "32788@60.5"; an error text when the text is not one or names no command the
// runner can carry out.
std::optional<ScriptedCommand> ParseScriptedCommand(std::string_view text, std::string& error);

// What keeps a command disabled in that state, by its enabled rule.
std::string DisabledReason(const CommandInfo& command, const FrameState& state);

class CCommandScript : public IDocumentView {
public:
    // Commands run in the order of their times, those at the same time in the order given.
    CCommandScript(std::vector<ScriptedCommand> commands, const CLoopTimers& timers, std::FILE* out);

    // Times count from here: the data source opens.
    void MarkOpening() { m_originMs = m_timers.ElapsedMs(); }
    // The loop time of the next command, or INT64_MAX when none is left.
    int64_t NextDueMs() const;
    // Carries out the commands due now; each is announced on the output, a disabled one is
    // refused with the reason.
    void RunDue(CEngine& engine);
    // "<id> <label> was disabled at <s> s: <why>", for each refused so far.
    const std::vector<std::string>& Refused() const { return m_refused; }

    // Watches the navigation messages for the first fix after an initialisation.
    void OnUpdate(UpdateHint hint, const CMessageRecord* record) override;

private:
    int64_t Now() const { return m_timers.ElapsedMs() - m_originMs; }
    // "5.0 s".
    static std::string Seconds(int64_t ms);

    std::deque<ScriptedCommand> m_pending;
    const CLoopTimers& m_timers;
    std::FILE* m_out;
    int64_t m_originMs = 0;
    CFirstFixWatch m_firstFix;
    std::vector<std::string> m_refused;
};

}  // namespace kestrion::cli
