#include "cli/ProgressLine.h"

#include "app/Engine.h"
#include "protocol/MessageRecord.h"

namespace kestrion::cli {
namespace {

constexpr auto kRedrawPeriod = std::chrono::milliseconds(200);

// "1:02:03" of hundredths of a second.
std::string HoursMinutesSeconds(int64_t hundredths)
{
    const int64_t seconds = hundredths / 100;
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                  static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
    return text;
}

}  // namespace

std::string ProgressText(const ReplayPosition& position, int64_t playedHundredths, double recordsPerSecond)
{
    const int percent = position.total > 0 ? static_cast<int>(position.at * 100 / position.total) : 0;
    std::string text = std::to_string(percent) + " %  ";
    if (position.unit == ReplayPosition::Unit::Hundredths) {
        text += HoursMinutesSeconds(position.at) + " / " + HoursMinutesSeconds(position.total);
    } else {
        text += HoursMinutesSeconds(playedHundredths);
    }
    char rate[48];
    std::snprintf(rate, sizeof rate, "  %.0f records/s", recordsPerSecond);
    return text + rate;
}

void CProgressLine::OnUpdate(UpdateHint hint, const CMessageRecord* record)
{
    if (hint != UpdateHint::Record || record == nullptr) {
        return;
    }
    ++m_records;
    if (record->HasTime()) {
        m_lastTime = int64_t{record->Week()} * kWeekLength + record->Tow();
        m_firstTime = m_firstTime.value_or(m_lastTime);
    }
}

void CProgressLine::Update(CEngine& engine)
{
    const Clock::time_point now = Clock::now();
    if (!m_started) {
        // A run over within the first period shows no line.
        m_started = now;
        m_drawn = now;
    }
    if (now - m_drawn < kRedrawPeriod) {
        return;
    }
    // A text source that has ended is gone: it is looked up at every turn.
    CFeedDoc* document = engine.CurrentDocument();
    CSource* source = document != nullptr ? document->MeasuredFeed().Source() : nullptr;
    IReplayControl* replay = source != nullptr ? source->Replay() : nullptr;
    if (replay == nullptr) {
        return;
    }
    m_drawn = now;
    const double elapsed = std::chrono::duration<double>(now - *m_started).count();
    const std::string text = ProgressText(replay->Position(), m_firstTime ? m_lastTime - *m_firstTime : 0,
                                          elapsed > 0 ? static_cast<double>(m_records) / elapsed : 0.0);
    std::fprintf(m_out, "\r%s\033[K", text.c_str());
    std::fflush(m_out);
    m_shown = true;
}

void CProgressLine::Erase()
{
    if (m_shown) {
        std::fputs("\r\033[K", m_out);
        std::fflush(m_out);
        m_shown = false;
    }
}

}  // namespace kestrion::cli
