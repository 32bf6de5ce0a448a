// The receiver commands on a real pseudo-terminal in real time, where termios sets the line's
// speed and the simulator paces its bytes: the protocol switch and back, a synchronisation
// from a slow NMEA line, and a baud change.
#include <gtest/gtest.h>

#include "support/CommandChecks.h"
#include "support/LiveReceiver.h"

namespace kestrion::test {
namespace {

using namespace commands;

TEST(LiveCommands, NmeaAndBackWithDevelopmentData) { NmeaAndBackWithDevelopmentData<CLiveConsole>(); }

class LiveSynchronisation : public testing::TestWithParam<SyncStart> {};

TEST_P(LiveSynchronisation, EndsAtBinary38400) { SynchronisationEndsAtBinary38400<CLiveConsole>(GetParam()); }

INSTANTIATE_TEST_SUITE_P(SlowNmea, LiveSynchronisation, testing::Values(SyncStart{4800, SimProtocol::Nmea}), SyncName);

TEST(LiveCommands, MainPortTo57600) { MainPortTo57600<CLiveConsole>(); }

}  // namespace
}  // namespace kestrion::test
