#pragma once
// Serves a receiver model on an endpoint in real time until stopped: what the program writes
// reaches the model at the line speed it set, and the model's output is paced at the
// receiver's baud rate.
#include <atomic>
#include <cstdint>

#include "sim/PtyEndpoint.h"
#include "sim/ReceiverEndpoint.h"
#include "sim/ReceiverModel.h"

namespace kestrion {

// Milliseconds on the steady clock.
int64_t SteadyNowMs();

void ServeReceiver(IReceiverEndpoint& endpoint, CReceiverModel& model, const std::atomic<bool>& stop);

}  // namespace kestrion
