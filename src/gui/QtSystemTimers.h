#pragma once
// The platform's periodic timers on Qt: each runs as a timer of this object, and its events
// go to the dispatch on the GUI thread.
#include <functional>
#include <map>
#include <vector>

#include <QObject>

#include "platform/Timers.h"

namespace kestrion {

class CQtSystemTimers : public QObject, public ISystemTimers {
public:
    // Receives the system identifier of every timer event.
    explicit CQtSystemTimers(std::function<void(unsigned systemTimerId)> dispatch);
    ~CQtSystemTimers() override;

    // The identifier is Qt's timer id; 0 when Qt could not start the timer.
    unsigned Start(unsigned id, int periodMs) override;
    void Stop(unsigned systemTimerId) override;

    // The system identifiers of the running timers.
    std::vector<unsigned> Running() const;

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    std::function<void(unsigned)> m_dispatch;
    std::map<unsigned, int> m_timers;  // the caller's id -> Qt's timer id
};

}  // namespace kestrion
