#pragma once
// Receiver data without a receiver: once a second a tracker, a navigation, a text and a raw
// track record with random values in fixed ranges around a fixed position.
#include "platform/Timers.h"
#include "transport/FeedEventSink.h"
#include "transport/RandomGenerator.h"
#include "transport/RandomState.h"
#include "transport/Source.h"

namespace kestrion {

class CRandomSource : public CSource, public ITickReceiver {
public:
    CRandomSource(CFeed& owner, IFeedEventSink& events, ITimerService& timers, RandomState& state,
                  IRandomGenerator& generator);
    ~CRandomSource() override;

    // Measured role only, and only while no timer runs: a playback tick every second.
    void Start() override;
    // Cancels the tick; always 1.
    int Close() override;
    // One generation step: four records to the owner. Returns null.
    const CMessageRecord* ReadRecord() override;
    void Restart() override;
    void Tick(int tickCode) override;

private:
    // (R - 1) * k / 32767 truncated toward zero: 0..k-1 for k > 0.
    int Draw(int k);
    // 1..n.
    int DrawFromOne(int n);

    void MakeTracker(int counter);
    void MakeNavigation(int counter);
    void MakeDebugText(int counter);
    void MakeRawTrack();
    void Deliver();

    IFeedEventSink& m_events;
    ITimerService& m_timers;
    RandomState& m_state;
    IRandomGenerator& m_generator;
    int m_timer = 0;
};

}  // namespace kestrion
