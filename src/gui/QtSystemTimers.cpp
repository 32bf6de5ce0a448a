#include "gui/QtSystemTimers.h"

#include <algorithm>

#include <QTimerEvent>

namespace kestrion {

CQtSystemTimers::CQtSystemTimers(std::function<void(unsigned)> dispatch) : m_dispatch(std::move(dispatch)) {}

CQtSystemTimers::~CQtSystemTimers()
{
    for (const auto& [id, qtId] : m_timers) {
        killTimer(qtId);
    }
}

unsigned CQtSystemTimers::Start(unsigned id, int periodMs)
{
    if (const auto running = m_timers.find(id); running != m_timers.end()) {
        killTimer(running->second);
        m_timers.erase(running);
    }
    // The receive poll runs every 50 ms: a coarse timer would let it drift by milliseconds.
    const int qtId = startTimer(periodMs, Qt::PreciseTimer);
    if (qtId == 0) {
        return 0;
    }
    m_timers[id] = qtId;
    return static_cast<unsigned>(qtId);
}

void CQtSystemTimers::Stop(unsigned systemTimerId)
{
    for (auto timer = m_timers.begin(); timer != m_timers.end(); ++timer) {
        if (static_cast<unsigned>(timer->second) == systemTimerId) {
            killTimer(timer->second);
            m_timers.erase(timer);
            return;
        }
    }
}

std::vector<unsigned> CQtSystemTimers::Running() const
{
    std::vector<unsigned> running;
    for (const auto& [id, qtId] : m_timers) {
        running.push_back(static_cast<unsigned>(qtId));
    }
    return running;
}

void CQtSystemTimers::timerEvent(QTimerEvent* event)
{
    const auto ours = std::find_if(m_timers.begin(), m_timers.end(),
                                   [event](const auto& timer) { return timer.second == event->timerId(); });
    if (ours == m_timers.end()) {
        QObject::timerEvent(event);
        return;
    }
    m_dispatch(static_cast<unsigned>(event->timerId()));
}

}  // namespace kestrion
