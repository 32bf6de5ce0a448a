#include "protocol/TextFormatter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace kestrion {
namespace {

std::string Format(std::string_view format, std::initializer_list<CFormatArg> args)
{
    std::string out;
    AppendFormat(out, format, args);
    return out;
}

template <typename Value>
std::string Printf(const std::string& format, Value value)
{
    char buffer[512];
    const int length = std::snprintf(buffer, sizeof buffer, format.c_str(), value);
    return {buffer, static_cast<size_t>(length)};
}

// Everything between '%' and the conversion letter: each flag set with a spread of widths and
// precisions, which covers every directive the record texts use.
std::vector<std::string> Modifiers()
{
    std::vector<std::string> all;
    for (const char* flags : {"", "-", "0", "-0"}) {
        for (const char* width : {"", "1", "2", "3", "4", "8", "25"}) {
            for (const char* precision : {"", ".", ".0", ".1", ".3", ".6", ".10", ".11", ".17"}) {
                all.push_back(std::string(flags) + width + precision);
            }
        }
    }
    return all;
}

std::vector<int64_t> IntegerSamples()
{
    std::vector<int64_t> values = {0, 1, -1, 7, 9, 10, 99, 100, -100, 255, -32768, 32767, 65535, 1000000,
                                   INT32_MIN, INT32_MAX, 4294967295LL, INT64_MIN, INT64_MAX};
    std::mt19937_64 random(20240611);
    for (int i = 0; i < 120; ++i) {
        const int bits = 1 + static_cast<int>(random() % 63);
        values.push_back(static_cast<int64_t>(random() >> (64 - bits)) * (i % 2 == 0 ? 1 : -1));
    }
    return values;
}

std::vector<double> DoubleSamples()
{
    std::vector<double> values = {0.0, -0.0, 0.5,  1.5,   2.5,     -2.5,   0.125,  0.0625, 1e-7, 0.1, 1.4, 123456.789,
                                  1e15, 1e300, -1e-300, 5e-324, 9.5e-5, std::numeric_limits<double>::max()};
    std::mt19937_64 random(7);
    std::uniform_int_distribution<int> exponent(-12, 12);
    for (int i = 0; i < 120; ++i) {
        const double mantissa = static_cast<double>(random() % 20000001) / 1000.0 - 10000.0;
        values.push_back(mantissa * std::pow(10.0, exponent(random)));
    }
    for (int i = 0; i < 40; ++i) {  // any finite bit pattern
        double value;
        do {
            const uint64_t bits = random();
            std::memcpy(&value, &bits, sizeof value);
        } while (!std::isfinite(value));
        values.push_back(value);
    }
    for (int i = 0; i < 20; ++i) {  // floats widened to double
        values.push_back(static_cast<float>(values[static_cast<size_t>(i) + 18]));
    }
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    values.insert(values.end(), {nan, -nan, infinity, -infinity});
    return values;
}

TEST(TextFormatter, IntegersMatchPrintf)
{
    for (const std::string& m : Modifiers()) {
        for (const int64_t value : IntegerSamples()) {
            const auto wide = static_cast<long long>(value);
            const auto word = static_cast<uint32_t>(value);
            for (const char* letter : {"d", "i"}) {
                ASSERT_EQ(Format("%" + m + "l" + letter, {value}), Printf("%" + m + "ll" + letter, wide));
            }
            // A signed field stays signed under %u; an unsigned one unsigned under %d.
            ASSERT_EQ(Format("%" + m + "u", {value}), Printf("%" + m + "lld", wide));
            ASSERT_EQ(Format("%" + m + "x", {value}), Printf("%" + m + "x", word));
            ASSERT_EQ(Format("%" + m + "X", {value}), Printf("%" + m + "X", word));
            const auto unsignedWide = static_cast<unsigned long long>(value);
            ASSERT_EQ(Format("%" + m + "d", {static_cast<uint64_t>(value)}), Printf("%" + m + "llu", unsignedWide));
            ASSERT_EQ(Format("%" + m + "u", {static_cast<uint64_t>(value)}), Printf("%" + m + "llu", unsignedWide));

            const CFormatArg raw = CFormatArg::Word(word);
            const auto asSigned = static_cast<int>(static_cast<int32_t>(word));
            ASSERT_EQ(Format("%" + m + "ld", {raw}), Printf("%" + m + "d", asSigned));
            ASSERT_EQ(Format("%" + m + "li", {raw}), Printf("%" + m + "i", asSigned));
            for (const char* letter : {"u", "x", "X"}) {
                ASSERT_EQ(Format("%" + m + "l" + letter, {raw}), Printf("%" + m + letter, word));
            }
        }
    }
}

TEST(TextFormatter, DoublesStringsAndCharactersMatchPrintf)
{
    for (const std::string& m : Modifiers()) {
        for (const double value : DoubleSamples()) {
            for (const char* letter : {"f", "e"}) {
                ASSERT_EQ(Format("%" + m + letter, {value}), Printf("%" + m + letter, value))
                    << "value bits " << std::hexfloat << value;
            }
        }
        for (const char* text : {"", "a", "GDOP", "never use", "Polling Navigation Parameters"}) {
            ASSERT_EQ(Format("%" + m + "s", {text}), Printf("%" + m + "s", text));
        }
        ASSERT_EQ(Format("%" + m + "c", {'Q'}), Printf("%" + m + "c", 'Q'));
    }
}

TEST(TextFormatter, SettledCases)
{
    const std::string_view withNul("ab\0cd", 5);
    static const std::string longText(3000, 'z');
    const struct {
        std::string_view format;
        std::vector<CFormatArg> args;
        std::string expected;
    } cases[] = {
        {"%.1f %d", {5, 2.9}, "5.0 2"},  // mismatched kinds convert by value
        {"x:%ld y:%ld z:%02lx s:[%s] f:%.2f", {7}, "x:7 y:0 z:00 s:[] f:0.00"},  // missing arguments read as 0
        {"%d", {}, "0"},
        {"LP DutyCycle: %d%%\n", {50}, "LP DutyCycle: 50%\n"},
        {"no directives at all", {1}, "no directives at all"},
        {"%q and %", {1}, "%q and %"},
        // A star width comes from the next argument, a negative one left-aligns.
        {"[%*s][%*d][%.*f]", {6, "ab", -4, 7, 2, 3.14159}, "[    ab][7   ][3.14]"},
        {"%*s|%s", {withNul.size(), withNul, withNul}, "   ab|ab"},  // strings stop at the first NUL
        {"%s%0700d|%-600s|", {longText, -5, "x"}, longText + "-" + std::string(698, '0') + "5|x" + std::string(599, ' ') + "|"},
    };
    for (const auto& c : cases) {
        std::string out = "kept ";
        AppendFormat(out, c.format, c.args);
        EXPECT_EQ(out, "kept " + c.expected) << c.format;
    }
}

}  // namespace
}  // namespace kestrion
