#pragma once
// What a feed hands the sources it makes: each source takes only the parts it uses.
#include "platform/Profile.h"
#include "platform/Timers.h"
#include "protocol/MessageDecoder.h"
#include "transport/FeedEventSink.h"
#include "transport/MessageBoxes.h"
#include "transport/RandomGenerator.h"
#include "transport/RandomState.h"
#include "transport/SerialServices.h"

namespace kestrion {

struct FeedServices {
    IFeedEventSink& events;
    IMessageBoxes& boxes;
    ITimerService& timers;
    // The decoder with the program's protocol state and host.
    CMessageDecoder& decoder;
    const CProfile& profile;
    ISerialServices& serial;
    RandomState& random;
    IRandomGenerator& generator;
};

}  // namespace kestrion
