#pragma once
// Whether the measured receiver is on the network: baud and line changes then stay with the
// receiver, and the connection is kept.
#include <string>

#include "platform/Profile.h"

namespace kestrion {

// The stored measured port when the measured source is a port named by a network address
// ("tcp://...", "udp://..."); empty otherwise.
std::string NetworkMeasuredPort(const CProfile& profile);

}  // namespace kestrion
