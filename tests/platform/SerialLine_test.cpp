// The line settings' texts as values: what the tty is set from and how long a character takes.
#include "platform/SerialLine.h"

#include <gtest/gtest.h>

namespace kestrion {
namespace {

TEST(SerialLine, TextsThatAreEmptyOrNotUnderstoodLeaveTheirValueOut)
{
    const SerialLine full = SerialLine::Of({"4800", "7", "Odd", "2"});
    EXPECT_EQ(full.baud, 4800u);
    EXPECT_EQ(full.dataBits, 7u);
    EXPECT_EQ(full.parity, Parity::Odd);
    EXPECT_EQ(full.twoStopBits, true);

    const struct {
        const char* parity;
        std::optional<Parity> value;
    } parities[] = {{"NONE", Parity::None}, {"EVEN", Parity::Even}, {"Mark", Parity::Mark},
                    {"Space", Parity::Space}, {"odd", std::nullopt}, {"", std::nullopt}};
    for (const auto& c : parities) {
        EXPECT_EQ(SerialLine::Of({"", "", c.parity, ""}).parity, c.value) << c.parity;
    }
    EXPECT_EQ(SerialLine::Of({"9600", "8", "N", "1.5"}).twoStopBits, true) << "Linux has no 1.5";
    EXPECT_EQ(SerialLine::Of({"9600", "8", "N", "1"}).twoStopBits, false);

    // Rate 0 would hang the line up; 9 and 4 data bits do not exist.
    for (const SerialSettings& settings : {SerialSettings{"", "", "", ""}, SerialSettings{"0", "9", "Xtra", ""},
                                           SerialSettings{"fast", "4", "", ""}}) {
        const SerialLine line = SerialLine::Of(settings);
        EXPECT_FALSE(line.baud || line.dataBits || line.parity || line.twoStopBits) << settings.baud;
    }
}

TEST(SerialLine, ACharacterTakesItsStartDataParityAndStopBits)
{
    using std::chrono::microseconds;
    EXPECT_EQ(CharacterTime(SerialLine::Of({"9600", "8", "NONE", "1"})), microseconds(10 * 1000000 / 9600 + 1));
    EXPECT_EQ(CharacterTime(SerialLine::Of({"4800", "7", "EVEN", "2"})), microseconds(11 * 1000000 / 4800 + 1));
    // Unknown data bits count as eight, unknown stop bits as one, unknown parity as none.
    EXPECT_EQ(CharacterTime(SerialLine::Of({"1200", "", "", ""})), microseconds(10 * 1000000 / 1200 + 1));
    EXPECT_EQ(CharacterTime(SerialLine::Of({"", "8", "N", "1"})), microseconds(0)) << "no rate, no time";
}

}  // namespace
}  // namespace kestrion
