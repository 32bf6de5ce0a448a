// The receiver commands end to end on a scripted port: the engine and the simulated receiver's
// model on one virtual clock, seconds of the receiver in milliseconds.
#include <gtest/gtest.h>

#include "support/CommandChecks.h"
#include "support/ScriptedConsole.h"

namespace kestrion::test {
namespace {

using namespace commands;

TEST(ScriptedCommands, NmeaAndBackWithDevelopmentData) { NmeaAndBackWithDevelopmentData<CScriptedConsole>(); }

class ScriptedSynchronisation : public testing::TestWithParam<SyncStart> {};

TEST_P(ScriptedSynchronisation, EndsAtBinary38400) { SynchronisationEndsAtBinary38400<CScriptedConsole>(GetParam()); }

INSTANTIATE_TEST_SUITE_P(EveryStart, ScriptedSynchronisation,
                         testing::Values(SyncStart{1200, SimProtocol::Nmea}, SyncStart{2400, SimProtocol::Nmea},
                                         SyncStart{4800, SimProtocol::Nmea}, SyncStart{9600, SimProtocol::Nmea},
                                         SyncStart{19200, SimProtocol::Nmea}, SyncStart{38400, SimProtocol::Nmea},
                                         SyncStart{57600, SimProtocol::Nmea}, SyncStart{1200, SimProtocol::Binary},
                                         SyncStart{2400, SimProtocol::Binary}, SyncStart{4800, SimProtocol::Binary},
                                         SyncStart{9600, SimProtocol::Binary}, SyncStart{19200, SimProtocol::Binary},
                                         SyncStart{38400, SimProtocol::Binary},
                                         SyncStart{57600, SimProtocol::Binary}),
                         SyncName);

TEST(ScriptedCommands, MainPortTo57600) { MainPortTo57600<CScriptedConsole>(); }

TEST(ScriptedCommands, InitialisationWithMessagesMovesTheLineTo57600AndAFactoryResetBack)
{
    InitialisationWithMessagesMovesTheLineTo57600AndAFactoryResetBack<CScriptedConsole>();
}

TEST(ScriptedCommands, AlmanacAndEphemerisPolledToFilesAndUploadedBack)
{
    AlmanacAndEphemerisPolledToFilesAndUploadedBack<CScriptedConsole>();
}

TEST(ScriptedCommands, ParameterDialogsOpenWithTheReceiversCurrentValues)
{
    ParameterDialogsOpenWithTheReceiversCurrentValues<CScriptedConsole>();
}

TEST(ScriptedCommands, AnUnansweredPollOpensTheDialogWithDefaultsAfterThreeSeconds)
{
    AnUnansweredPollOpensTheDialogWithDefaultsAfterThreeSeconds<CScriptedConsole>();
}

TEST(ScriptedCommands, PeriodicResetResendsTheInitialisation) { PeriodicResetResendsTheInitialisation<CScriptedConsole>(); }

}  // namespace
}  // namespace kestrion::test
