#pragma once
// A console on a simulated receiver that has announced itself, whose views count the
// navigation records: on a scripted port (virtual time) or on a pseudo-terminal (real time).
#include <string>

#include "app/DocumentView.h"
#include "protocol/MessageRecord.h"
#include "sim/SimConfig.h"

namespace kestrion::test {

// Counts the navigation records that reach the views.
class CNavigationCounter : public IDocumentView {
public:
    void OnUpdate(UpdateHint hint, const CMessageRecord* record) override
    {
        if (hint == UpdateHint::Record && record != nullptr && record->type == MID_MeasuredNavigation) {
            ++count;
        }
    }
    int count = 0;
};

template <typename Console>
struct CTalkingConsole : Console {
    explicit CTalkingConsole(const SimConfig& config, const std::string& extraIni = {}) : Console(config, extraIni)
    {
        this->engine->CurrentDocument()->AddView(navigation);
        this->Run(1.5);
    }
    // Navigation records that arrive within the next seconds.
    int NavigationWithin(double seconds)
    {
        const int before = navigation.count;
        this->Run(seconds);
        return navigation.count - before;
    }
    CNavigationCounter navigation;
};

}  // namespace kestrion::test
