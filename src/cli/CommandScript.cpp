#include "cli/CommandScript.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <limits>

#include "app/CommandTable.h"
#include "app/Engine.h"
#include "protocol/MessageRecord.h"

namespace kestrion::cli {
std::string DisabledReason(const CommandInfo& command, const FrameState& state)
{
    if (command.enable == EnableRule::AnyView) {
        return "no view is open";
    }
    if (!state.sourceOpen) {
        return "the data source is not open";
    }
    if (command.enable == EnableRule::OpenNmea) {
        return "the display is not in NMEA mode";
    }
    if (state.nmeaMode) {
        return "the display is in NMEA mode";
    }
    if (command.enable == EnableRule::OpenBinaryNotGen1) {
        return "the receiver software is of generation 1";
    }
    return "no dead-reckoning data has been seen";
}

std::optional<ScriptedCommand> ParseScriptedCommand(std::string_view text, std::string& error)
{
    const size_t at = text.find('@');
    int id = 0;
    double seconds = -1.0;
    const std::string_view idText = text.substr(0, at);
    const auto idEnd = std::from_chars(idText.data(), idText.data() + idText.size(), id);
    if (at != std::string_view::npos) {
        const std::string secondsText(text.substr(at + 1));
        char* end = nullptr;
        seconds = std::strtod(secondsText.c_str(), &end);
        if (secondsText.empty() || end != secondsText.c_str() + secondsText.size()) {
            seconds = -1.0;
        }
    }
    if (at == std::string_view::npos || idEnd.ec != std::errc() || idEnd.ptr != idText.data() + idText.size() ||
        !(seconds >= 0.0 && seconds < 1e9)) {
        error = "--command needs ID@SECONDS, for example 32820@5";
        return std::nullopt;
    }
    const CommandInfo* command = FindCommand(id);
    if (command == nullptr || command->handler == Handler::Frame) {
        error = "--command " + std::string(idText) + " is not a receiver or engine command";
        return std::nullopt;
    }
    return ScriptedCommand{id, std::llround(seconds * 1000.0)};
}

CCommandScript::CCommandScript(std::vector<ScriptedCommand> commands, const CLoopTimers& timers, std::FILE* out)
    : m_timers(timers), m_out(out)
{
    std::stable_sort(commands.begin(), commands.end(),
                     [](const ScriptedCommand& a, const ScriptedCommand& b) { return a.atMs < b.atMs; });
    m_pending.assign(commands.begin(), commands.end());
}

std::string CCommandScript::Seconds(int64_t ms)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f s", static_cast<double>(ms) / 1000.0);
    return text;
}

int64_t CCommandScript::NextDueMs() const
{
    return m_pending.empty() ? std::numeric_limits<int64_t>::max() : m_originMs + m_pending.front().atMs;
}

void CCommandScript::RunDue(CEngine& engine)
{
    while (!m_pending.empty() && m_pending.front().atMs <= Now()) {
        const CommandInfo& command = *FindCommand(m_pending.front().id);
        m_pending.pop_front();
        if (const FrameState state = engine.State(); !IsEnabled(command, state)) {
            m_refused.push_back(std::to_string(command.id) + " " + std::string(command.label) +
                                " was disabled at " + Seconds(Now()) + ": " + DisabledReason(command, state));
            std::fprintf(m_out, "command: %s\n", m_refused.back().c_str());
            std::fflush(m_out);
            continue;
        }
        std::fprintf(m_out, "command: %d %.*s at %s\n", command.id, static_cast<int>(command.label.size()),
                     command.label.data(), Seconds(Now()).c_str());
        std::fflush(m_out);
        if (command.id == ID_INITIALIZE) {
            m_firstFix.Start(Now());
        }
        const auto started = std::chrono::steady_clock::now();
        engine.Execute(command.id);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
        std::fprintf(m_out, "command: %d done in %.2f s\n", command.id, took.count());
        std::fflush(m_out);
    }
}

void CCommandScript::OnUpdate(UpdateHint hint, const CMessageRecord* record)
{
    if (hint == UpdateHint::Opening) {
        m_firstFix.Restart();
    }
    if (hint != UpdateHint::Record || record == nullptr) {
        return;
    }
    if (const std::optional<int64_t> ttff = m_firstFix.OnRecord(*record, Now())) {
        std::fprintf(m_out, "ttff: %.1f s after the initialisation at %.1f s\n", static_cast<double>(*ttff) / 1000.0,
                     static_cast<double>(Now() - *ttff) / 1000.0);
        std::fflush(m_out);
    }
}

}  // namespace kestrion::cli
