#include "dialogs/LowPowerDialog.h"

#include <gtest/gtest.h>

#include <cstring>

#include "support/ScriptedUi.h"

namespace kestrion {
namespace {

using D = CLowPowerDialog;

// Current-values records: the MID, then host-order fields at their payload offsets.
template <typename T>
void Put(std::vector<uint8_t>& record, size_t offset, T value)
{
    std::memcpy(record.data() + offset, &value, sizeof value);
}

std::vector<uint8_t> LowPowerRecord(uint16_t flag, uint16_t dutyCycle, uint32_t onTime)
{
    std::vector<uint8_t> record(9, 0x97);
    Put(record, 1, flag);
    Put(record, 3, dutyCycle);
    Put(record, 5, onTime);
    return record;
}

std::vector<uint8_t> AcquisitionRecord(uint32_t maxOff, uint32_t maxSearch, uint32_t period)
{
    std::vector<uint8_t> record(25, 0xA7);
    Put(record, 1, maxOff);
    Put(record, 5, maxSearch);
    Put(record, 9, period);
    return record;
}

void Enter(D& dialog, int mode, const std::string& updateRate, const std::string& onTime)
{
    dialog.ChooseRadio(D::kMode, mode);
    dialog.Type(D::kUpdateRate, updateRate);
    dialog.Type(D::kOnTime, onTime);
}

TEST(LowPowerDialog, SendsTheModeThenTheAcquisitionLimitsAfterKestrionOne)
{
    struct Case {
        int generation;
        int mode;
        std::string updateRate, onTime, period;
        std::vector<Payload> expected;
    };
    const Payload defaultLimits = {0xA7, 0x00, 0x00, 0x75, 0x30, 0x00, 0x01, 0xD4, 0xC0, 0x00, 0x00, 0x07, 0x08,
                                   0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0};
    Payload wakeLimits = defaultLimits;
    wakeLimits[11] = 0x0E;  // 3600 s
    wakeLimits[12] = 0x10;
    const Case cases[] = {
        {2, D::kLullcycle, "2", "300", "1800",
         {{0x97, 0x00, 0x00, 0x00, 0x96, 0x00, 0x00, 0x01, 0x2C}, defaultLimits}},
        {1, D::kLullcycle, "2", "300", "1800", {{0x97, 0x00, 0x00, 0x00, 0x96, 0x00, 0x00, 0x01, 0x2C}}},
        {3, D::kContinuous, "1", "200", "1800",
         {{0x97, 0x00, 0x00, 0x03, 0xE8, 0x00, 0x00, 0x00, 0xC8}, defaultLimits}},
        {3, D::kWakeToSync, "1", "200", "3600", {{0x97, 0x00, 0x01, 0x00, 0x0A, 0x00, 0x00, 0x00, 0xC8}, wakeLimits}},
    };
    for (const Case& c : cases) {
        fakes::CScriptedUi ui;
        ProtocolState state;
        state.generation = c.generation;
        D dialog(ui, state);
        Enter(dialog, c.mode, c.updateRate, c.onTime);
        dialog.Type(D::kPeriod, c.period);
        ASSERT_TRUE(dialog.Ok()) << c.generation << " " << c.mode;
        EXPECT_TRUE(ui.boxes.empty());
        EXPECT_EQ(dialog.Payloads(), c.expected) << c.generation << " " << c.mode;
    }
}

TEST(LowPowerDialog, OkChecksTheCombinationsInOrder)
{
    constexpr const char* kInvalid = "Invalid Lullcycle Settings";
    constexpr const char* kDuty = "Duty cycle (OnTime/UpdateRate) is not within range 1 - 50%";
    constexpr const char* kRate = "Select Update Rate From List";
    constexpr const char* kOnTime = "Select On Time From List";
    constexpr const char* kPeriod = "Wake-To-Sync off time is out of range (10 to 7200-s).";
    constexpr int kLull = D::kLullcycle;
    struct Case {
        int generation;
        int mode;
        bool expert;
        std::string updateRate, onTime;
        std::string refusal;  // empty when accepted
        int focus;            // the control a refusal points at
        int dutyCycle;        // sent when accepted
        std::string period = "1800";
        bool detectionAfter = true;
    };
    const Case cases[] = {
        {1, kLull, false, "3", "200", kInvalid, D::kOnTime},
        {1, kLull, true, "3", "200", "", 0, 66},
        {1, kLull, false, "7", "300", kInvalid, D::kOnTime},
        {1, kLull, false, "6", "300", "", 0, 50, "1800", false},
        {1, kLull, false, "1", "600", kDuty, D::kOnTime},
        {1, kLull, true, "8", "70", kDuty, D::kOnTime},
        {1, kLull, false, "9", "400", kRate, D::kUpdateRate},
        {2, kLull, false, "1", "700", kInvalid, D::kOnTime},
        {2, kLull, false, "2", "700", "", 0, 350},
        {2, kLull, false, "1", "600", "", 0, 600},
        {2, kLull, false, "4", "300", "", 0, 75},
        {2, kLull, false, "5", "300", "", 0, 60, "1800", false},
        {2, kLull, false, "5", "250", kOnTime, D::kOnTime},
        {2, kLull, false, "11", "200", kRate, D::kUpdateRate},
        {2, kLull, true, "1", "900", "", 0, 900},
        {2, kLull, true, "1", "70000", kInvalid, D::kOnTime},
        {2, kLull, true, "0", "200", kRate, D::kUpdateRate},
        {1, kLull, true, "-3", "200", kRate, D::kUpdateRate},
        {2, kLull, true, "x", "200", kRate, D::kUpdateRate},
        {2, D::kContinuous, false, "1", "-5", kOnTime, D::kOnTime},
        {2, D::kContinuous, false, "10", "900", "", 0, 1000, "1800", false},
        {3, D::kWakeToSync, false, "1", "200", kPeriod, D::kPeriod, 0, "9"},
        {3, D::kWakeToSync, false, "1", "200", kPeriod, D::kPeriod, 0, "7201"},
        {3, D::kWakeToSync, false, "1", "200", "", 0, 10, "10"},
        {3, D::kWakeToSync, false, "1", "200", "", 0, 10, "7200"},
    };
    for (const Case& c : cases) {
        const std::string name = std::to_string(c.generation) + " " + c.updateRate + "/" + c.onTime + " " + c.period;
        fakes::CScriptedUi ui;
        ProtocolState state;
        state.generation = c.generation;
        D dialog(ui, state);
        if (c.expert) {
            dialog.RightDoubleClick();
        }
        Enter(dialog, c.mode, c.updateRate, c.onTime);
        dialog.Type(D::kPeriod, c.period);
        EXPECT_EQ(dialog.Ok(), c.refusal.empty()) << name;
        EXPECT_EQ(ui.boxes, c.refusal.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.refusal})
            << name;
        EXPECT_EQ(dialog.Focus(), c.focus) << name;
        EXPECT_EQ(state.versionDetection, c.detectionAfter) << name;
        if (c.refusal.empty()) {
            const Payload lowPower = dialog.Payloads().front();
            EXPECT_EQ(lowPower[3] << 8 | lowPower[4], c.dutyCycle) << name;
        }
    }
}

TEST(LowPowerDialog, OpensOnTheReceiversValuesOnlyWhenBothRecordsCame)
{
    struct Case {
        std::vector<uint8_t> lowPower, acquisition;
        std::string title;
        int mode;
        std::vector<std::string> texts;  // update rate, on time, off, search, period
    };
    const std::vector<std::string> defaults = {"1", "200", "30000", "120000", "1800"};
    const Case cases[] = {
        {{}, {}, "Low Power Parameters: Default", D::kContinuous, defaults},
        {LowPowerRecord(1, 10, 500), AcquisitionRecord(1, 2, 600), "Low Power Parameters: Current", D::kWakeToSync,
         {"1", "200", "30000", "120000", "600"}},
        {LowPowerRecord(0, 150, 300), AcquisitionRecord(40000, 90000, 600), "Low Power Parameters: Current",
         D::kLullcycle, {"2", "300", "40000", "90000", "1800"}},
        {LowPowerRecord(0, 1000, 300), AcquisitionRecord(40000, 90000, 600), "Low Power Parameters: Current",
         D::kContinuous, defaults},
        {LowPowerRecord(0, 0, 300), AcquisitionRecord(40000, 90000, 600), "Low Power Parameters: Current",
         D::kContinuous, defaults},
        {LowPowerRecord(0, 150, 300), {0, 1, 2, 3}, "Low Power Parameters: Default", D::kContinuous, defaults},
    };
    for (const Case& c : cases) {
        fakes::CScriptedUi ui;
        ProtocolState state;
        state.generation = 3;
        D dialog(ui, state, CCurrentValues(c.lowPower), CCurrentValues(c.acquisition));
        EXPECT_EQ(dialog.Title(), c.title);
        EXPECT_EQ(dialog.OkLabel(), "OK");
        EXPECT_EQ(dialog.Value(D::kMode), c.mode) << c.title;
        const std::vector<std::string> texts = {dialog.Text(D::kUpdateRate), dialog.Text(D::kOnTime),
                                                dialog.Text(D::kMaxOffTime), dialog.Text(D::kMaxSearchTime),
                                                dialog.Text(D::kPeriod)};
        EXPECT_EQ(texts, c.texts) << c.title;
        EXPECT_FALSE(dialog.ExpertOverride());
    }
}

TEST(LowPowerDialog, EnablingFollowsModeGenerationAndOverride)
{
    struct Case {
        int generation;
        int mode;
        bool expert;
        bool lists, limits, period, group, secondText;
    };
    const Case cases[] = {
        {1, D::kContinuous, false, false, false, false, false, false},
        {1, D::kLullcycle, false, true, false, false, true, true},
        {1, D::kLullcycle, true, true, false, false, false, false},
        {1, D::kWakeToSync, false, false, false, false, false, false},
        {2, D::kLullcycle, false, true, true, false, true, false},
        {2, D::kWakeToSync, false, false, false, false, false, false},
        {3, D::kWakeToSync, false, false, false, true, false, false},
        {3, D::kLullcycle, true, true, true, false, false, false},
        {-1, D::kLullcycle, false, true, true, false, true, false},
    };
    for (const Case& c : cases) {
        fakes::CScriptedUi ui;
        ProtocolState state;
        state.generation = c.generation;
        D dialog(ui, state);
        dialog.ChooseRadio(D::kMode, c.mode);
        if (c.expert) {
            dialog.RightDoubleClick();
        }
        const std::string name = std::to_string(c.generation) + " " + std::to_string(c.mode);
        EXPECT_EQ(dialog.Control(D::kUpdateRate).enabled, c.lists) << name;
        EXPECT_EQ(dialog.Control(D::kOnTime).enabled, c.lists) << name;
        EXPECT_EQ(dialog.Control(D::kMaxOffTime).enabled, c.limits) << name;
        EXPECT_EQ(dialog.Control(D::kMaxSearchTime).enabled, c.limits) << name;
        EXPECT_EQ(dialog.Control(D::kPeriod).enabled, c.period) << name;
        EXPECT_EQ(dialog.Control(D::kInvalidGroup).visible, c.group) << name;
        EXPECT_EQ(dialog.Control(D::kInvalidFirst).visible, c.group) << name;
        EXPECT_EQ(dialog.Control(D::kInvalidSecond).visible, c.secondText) << name;
    }
}

TEST(LowPowerDialog, KestrionOneListsFewerRatesAndNamesOtherRefusedCombinations)
{
    fakes::CScriptedUi ui;
    ProtocolState first;
    first.generation = 1;
    ProtocolState second;
    second.generation = 2;
    const D one(ui, first);
    const D two(ui, second);
    EXPECT_EQ(one.Control(D::kUpdateRate).items.back(), "8");
    EXPECT_EQ(two.Control(D::kUpdateRate).items.back(), "10");
    EXPECT_EQ(one.Text(D::kInvalidFirst), "3  - 8\n\n\n200");
    EXPECT_EQ(one.Text(D::kInvalidSecond), "7 - 8\n\n\n300");
    EXPECT_EQ(two.Text(D::kInvalidFirst), "1\n\n\n700 - 900");
}

}  // namespace
}  // namespace kestrion
