#pragma once
// The report of the serial line errors gathered since the last receive tick.
#include "protocol/ProtocolHost.h"

namespace kestrion {

// CE_MODE alone when it is set, otherwise every set CE_* bit in the fixed report order: each
// shown in the error view as a fault text and written to the log.
void ReportLineErrors(unsigned bits, IProtocolHost& host);

}  // namespace kestrion
