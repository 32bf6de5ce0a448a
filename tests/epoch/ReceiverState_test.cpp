// One receiver state for both protocols: binary records and NMEA sentences in one stream.
#include <gtest/gtest.h>

#include <string>

#include "epoch/ReceiverState.h"
#include "protocol/CommandFrame.h"
#include "protocol/MessageBlocks.h"

namespace kestrion {
namespace {

CMessageRecord Sentence(const std::string& body)
{
    CMessageRecord record;
    record.Reset(255);
    const std::string sentence = WrapNmeaBody(body);
    record.SetText(std::string_view(sentence).substr(0, sentence.size() - 2));
    return record;
}

CMessageRecord Gga(int second)
{
    return Sentence("GPGGA,1200" + std::to_string(10 + second) + ".00,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,");
}

CMessageRecord Navigation()
{
    CMessageRecord record;
    record.Reset(2);
    record.nav.mid = 2;
    record.nav.x = 4177000;
    record.nav.y = 855000;
    record.nav.z = 4728000;
    record.nav.mode1 = 4;
    record.nav.svCount = 5;
    return record;
}

TEST(ReceiverState, AReceiverSendingBothProtocolsGivesEachSolutionOnce)
{
    CReceiverState state;
    EXPECT_EQ(state.Take(Gga(0)), nullptr);
    const ReceiverEpoch* binary = state.Take(Navigation());
    ASSERT_NE(binary, nullptr);
    EXPECT_EQ(binary->source, ReceiverEpoch::Source::Binary);
    EXPECT_EQ(state.Take(Gga(1)), nullptr) << "the NMEA epoch of 12:00:10 told the binary one again";

    // Switched to NMEA: the sentences alone go on.
    const ReceiverEpoch* nmea = state.Take(Gga(2));
    ASSERT_NE(nmea, nullptr);
    EXPECT_EQ(nmea->source, ReceiverEpoch::Source::Nmea);
    EXPECT_EQ(nmea->time.utcMillisecond, (12 * 3600 + 11) * 1000);
    EXPECT_EQ(state.Measured()->source, ReceiverEpoch::Source::Nmea);
    ASSERT_NE(state.Finish(), nullptr) << "the last epoch at the end";
    EXPECT_EQ(state.Finish(), nullptr) << "once";

    // Back to binary: it is never held back.
    EXPECT_NE(state.Take(Navigation()), nullptr);
    state.Reset();
    EXPECT_FALSE(state.Measured());
}

TEST(ReceiverState, FaultTextsAndOtherTextAreNoSentences)
{
    CReceiverState state;
    CMessageRecord text;
    text.Reset(255);
    text.SetText("GPGGA,120010.00,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,");
    EXPECT_EQ(state.Take(text), nullptr);
    EXPECT_EQ(state.Finish(), nullptr) << "nothing was opened";
}

}  // namespace
}  // namespace kestrion
