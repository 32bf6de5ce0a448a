#include <cstring>
#include <memory>

#include <gtest/gtest.h>

#include "support/ScriptedUi.h"
#include "dialogs/DgpsModeDialog.h"
#include "dialogs/DgpsSourceDialog.h"
#include "dialogs/DopMaskDialog.h"
#include "dialogs/ElevationMaskDialog.h"
#include "dialogs/NavModeDialog.h"
#include "dialogs/PowerMaskDialog.h"
#include "dialogs/StaticNavDialog.h"

namespace kestrion {
namespace {

// A current-values record: the fields one after another, in host order.
template <typename... Fields>
std::vector<uint8_t> Record(Fields... fields)
{
    std::vector<uint8_t> record;
    auto append = [&record](auto field) {
        record.resize(record.size() + sizeof field);
        std::memcpy(record.data() + record.size() - sizeof field, &field, sizeof field);
    };
    (append(fields), ...);
    return record;
}

using Opener = std::unique_ptr<CCommandDialog> (*)(IUserInterface&, int, CCurrentValues);

template <typename Dialog>
std::unique_ptr<CCommandDialog> Open(IUserInterface& ui, int generation, CCurrentValues current)
{
    return std::make_unique<Dialog>(ui, generation, current);
}

// The one payload sent after OK; nothing when OK is refused.
Payload Sent(CCommandDialog& dialog)
{
    const std::vector<Payload> payloads = dialog.Ok() ? dialog.Payloads() : std::vector<Payload>{};
    return payloads.size() == 1 ? payloads[0] : Payload{};
}

TEST(NavigationDialogs, OpenOnTheDefaultsOfTheGeneration)
{
    struct Case {
        Opener open;
        int generation;
        std::string title, okLabel;
        Payload sent;
    };
    const Case cases[] = {
        {&Open<CNavModeDialog>, -1, "Navigation Mode Control", "Send", {0x88, 0, 1, 1, 0, 1, 0, 0, 0, 0, 0, 30, 15, 0}},
        {&Open<CNavModeDialog>, 1, "Navigation Mode Control", "Send", {0x88, 0, 1, 1, 0, 1, 0, 0, 0, 0, 0, 60, 30, 0}},
        {&Open<CNavModeDialog>, 2, "Navigation Mode Control", "Send", {0x88, 0, 1, 1, 0, 1, 0, 0, 0, 0, 0, 30, 15, 0}},
        {&Open<CNavModeDialog>, 3, "Navigation Mode Control", "Send", {0x88, 0, 1, 1, 0, 1, 0, 0, 0, 0, 0, 30, 15, 1}},
        {&Open<CDopMaskDialog>, 3, "DOP Mask Control", "Send", {0x89, 4, 10, 10, 10}},
        {&Open<CDgpsModeDialog>, 3, "DGPS Mode", "Send", {0x8A, 0, 30}},
        {&Open<CDgpsSourceDialog>, 3, "DGPS Source", "OK", {0x85, 2, 0, 0, 0, 0, 0}},
        {&Open<CElevationMaskDialog>, 3, "Elevation Mask", "Send", {0x8B, 0, 50, 0, 75}},
        {&Open<CPowerMaskDialog>, 3, "Power Mask", "Send", {0x8C, 28, 28}},
        {&Open<CStaticNavDialog>, 3, "Static Navigation", "Send", {0x8F, 0}},
    };
    for (const Case& c : cases) {
        fakes::CScriptedUi ui;
        const auto dialog = c.open(ui, c.generation, {});
        EXPECT_EQ(dialog->Title(), c.title + ": Default");
        EXPECT_EQ(dialog->OkLabel(), c.okLabel);
        EXPECT_EQ(Sent(*dialog), c.sent) << c.title << " " << c.generation;
    }
}

TEST(NavigationDialogs, OpenOnTheRecordAndSendItsValuesBack)
{
    struct Case {
        Opener open;
        int generation;
        std::vector<uint8_t> record;
        Payload sent;
    };
    const auto navMode = Record<uint8_t, uint8_t, uint8_t, uint8_t, uint8_t, uint8_t, int16_t, uint8_t, uint8_t,
                                uint8_t, uint8_t, uint8_t, uint8_t>(0x88, 0, 1, 3, 0, 1, -1000, 1, 1, 7, 20, 40, 1);
    const Case cases[] = {
        {&Open<CNavModeDialog>, 1, navMode, {0x88, 0, 1, 3, 0, 1, 0xFC, 0x18, 1, 1, 7, 20, 40, 1}},
        // "Always" holds a fixed altitude; hidden, the coast time-out goes back as reported.
        {&Open<CNavModeDialog>, 3, {0x88, 0, 0, 4, 0, 0, 0, 0, 1, 0, 200, 5, 6, 0},
         {0x88, 0, 0, 4, 0, 0, 0, 0, 1, 1, 200, 5, 0, 0}},
        {&Open<CDopMaskDialog>, 3, {0x89, 0, 5, 6, 7}, {0x89, 0, 5, 6, 7}},
        {&Open<CDgpsModeDialog>, 3, {0x8A, 2, 45}, {0x8A, 2, 45}},
        {&Open<CDgpsSourceDialog>, 3, Record<uint8_t, uint8_t, uint32_t, uint8_t>(0x85, 3, 0, 0),
         {0x85, 3, 0, 0, 0, 0, 0}},
        {&Open<CDgpsSourceDialog>, 3, Record<uint8_t, uint8_t, uint32_t, uint8_t>(0x85, 3, 283500, 50),
         {0x85, 3, 0x00, 0x04, 0x53, 0x6C, 50}},
        {&Open<CElevationMaskDialog>, 3, Record<uint8_t, int16_t, int16_t>(0x8B, -200, -123),
         {0x8B, 0, 50, 0xFF, 0x85}},
        {&Open<CPowerMaskDialog>, 3, {0x8C, 40, 35}, {0x8C, 28, 35}},
        {&Open<CStaticNavDialog>, 3, {0x8F, 1}, {0x8F, 1}},
    };
    for (const Case& c : cases) {
        fakes::CScriptedUi ui;
        const auto dialog = c.open(ui, c.generation, CCurrentValues(c.record));
        EXPECT_EQ(dialog->Title().substr(dialog->Title().find(':')), ": Current");
        EXPECT_EQ(Sent(*dialog), c.sent) << dialog->Title();
        EXPECT_TRUE(ui.boxes.empty()) << dialog->Title();
    }
}

TEST(NavigationDialogs, RefuseBadFieldsWithTheFocusOnThem)
{
    struct Case {
        Opener open;
        int id;
        const char* typed;
        const char* text;
    };
    const Case cases[] = {
        {&Open<CNavModeDialog>, CNavModeDialog::kAltitude, "-1001", "Please enter an integer between -1000 and 10000."},
        {&Open<CNavModeDialog>, CNavModeDialog::kAltitude, "1.5", "Please enter an integer."},
        {&Open<CNavModeDialog>, CNavModeDialog::kDegradedTimeout, "121", "Please enter an integer between 0 and 120."},
        {&Open<CNavModeDialog>, CNavModeDialog::kDeadReckoningTimeout, "-1",
         "Please enter an integer between 0 and 120."},
        {&Open<CNavModeDialog>, CNavModeDialog::kCoastTimeout, "121", "Please enter an integer between 0 and 120."},
        {&Open<CDopMaskDialog>, CDopMaskDialog::kPdop, "0", "Please enter an integer between 1 and 50."},
        {&Open<CDopMaskDialog>, CDopMaskDialog::kGdop, "51", "Please enter an integer between 1 and 50."},
        {&Open<CDgpsModeDialog>, CDgpsModeDialog::kTimeout, "256", "Please enter an integer between 0 and 255."},
        // Checked although disabled: the source is not the beacon.
        {&Open<CDgpsSourceDialog>, CDgpsSourceDialog::kFrequency, "283499",
         "Please enter an integer between 283500 and 325000."},
        {&Open<CElevationMaskDialog>, CElevationMaskDialog::kNavigation, "90.1",
         "Please enter a number between -20 and 90."},
        {&Open<CElevationMaskDialog>, CElevationMaskDialog::kNavigation, "seven", "Please enter a number."},
        {&Open<CPowerMaskDialog>, CPowerMaskDialog::kNavigation, "19", "Please enter an integer between 20 and 50."},
    };
    for (const Case& c : cases) {
        fakes::CScriptedUi ui;
        const auto dialog = c.open(ui, 1, {});
        dialog->Type(c.id, c.typed);
        EXPECT_FALSE(dialog->Ok()) << c.typed;
        EXPECT_EQ(ui.boxes, std::vector<std::string>{c.text}) << c.typed;
        EXPECT_EQ(dialog->Focus(), c.id) << c.typed;
    }
}

TEST(NavModeDialog, EnableRulesFollowHoldModeDegradedModeAndDeadReckoning)
{
    using D = CNavModeDialog;
    struct Case {
        int generation;
        std::vector<std::pair<int, int>> actions;  // control and button; -1 clicks a check box
        bool sourceEnabled, lastComputedEnabled;
        int source;
        bool degradedTimeoutEnabled, deadReckoningTimeoutEnabled;
    };
    const Case cases[] = {
        {2, {{D::kHoldMode, D::kHoldAlways}}, true, false, D::kSourceFixed, true, true},
        {1, {{D::kHoldMode, D::kHoldAlways}}, true, true, D::kSourceLastComputed, true, true},
        {3, {{D::kHoldMode, D::kHoldAlways}, {D::kHoldMode, D::kHoldAutomatic}}, true, true, D::kSourceFixed, true,
         true},
        {3, {{D::kHoldMode, D::kHoldDisabled}, {D::kDegradedMode, D::kDegradedDisabled}}, false, true, 0, false, true},
        {3, {{D::kDegradedMode, D::kDegradedDisabled}, {D::kDegradedMode, 3}, {D::kDeadReckoning, -1}}, true, true, 0,
         true, false},
    };
    for (const Case& c : cases) {
        fakes::CScriptedUi ui;
        D dialog(ui, c.generation);
        dialog.Type(D::kDeadReckoningTimeout, "99");
        for (const auto& [id, button] : c.actions) {
            button < 0 ? dialog.Click(id) : dialog.ChooseRadio(id, button);
        }
        const std::string where = "case " + std::to_string(&c - cases);
        EXPECT_EQ(dialog.Control(D::kAltitudeSource).enabled, c.sourceEnabled) << where;
        EXPECT_EQ(dialog.Control(D::kAltitude).enabled, c.sourceEnabled) << where;
        EXPECT_EQ(dialog.Control(D::kAltitudeSource).itemEnabled[D::kSourceLastComputed], c.lastComputedEnabled)
            << where;
        EXPECT_EQ(dialog.Value(D::kAltitudeSource), c.source) << where;
        EXPECT_EQ(dialog.Control(D::kDegradedTimeout).enabled, c.degradedTimeoutEnabled) << where;
        EXPECT_EQ(dialog.Control(D::kDeadReckoningTimeout).enabled, c.deadReckoningTimeoutEnabled) << where;
        EXPECT_EQ(dialog.Control(D::kAltitudeConstraint).visible, c.generation == 1) << where;
        EXPECT_EQ(dialog.Control(D::kCoastTimeout).visible, c.generation == 1) << where;
        const Payload sent = Sent(dialog);
        ASSERT_EQ(sent.size(), 14u) << where;
        EXPECT_EQ(sent[12], c.deadReckoningTimeoutEnabled ? 99 : 0) << where;
    }
}

TEST(DopMaskDialog, EachModeEnablesItsThresholds)
{
    struct Case {
        int mode;
        bool pdop, hdop, gdop;
    };
    for (const Case& c : {Case{0, true, true, false}, Case{1, true, false, false}, Case{2, false, true, false},
                          Case{3, false, false, true}, Case{4, false, false, false}}) {
        fakes::CScriptedUi ui;
        CDopMaskDialog dialog(ui, 3);
        dialog.ChooseRadio(CDopMaskDialog::kMode, c.mode);
        EXPECT_EQ(dialog.Control(CDopMaskDialog::kPdop).enabled, c.pdop) << c.mode;
        EXPECT_EQ(dialog.Control(CDopMaskDialog::kHdop).enabled, c.hdop) << c.mode;
        EXPECT_EQ(dialog.Control(CDopMaskDialog::kGdop).enabled, c.gdop) << c.mode;
    }
}

TEST(DgpsModeDialog, MixedIsNeverShownAndNeverUseDisablesTheTimeout)
{
    const std::vector<uint8_t> record = {0x8A, CDgpsModeDialog::kModeNever, 45};
    fakes::CScriptedUi ui;
    CDgpsModeDialog dialog(ui, 3, CCurrentValues(record));
    EXPECT_EQ(dialog.Control(CDgpsModeDialog::kMode).itemVisible, (std::vector<bool>{true, true, true, false}));
    EXPECT_FALSE(dialog.Control(CDgpsModeDialog::kTimeout).enabled);
    for (const int mode : {1, 2, 0}) {
        dialog.ChooseRadio(CDgpsModeDialog::kMode, mode);
        EXPECT_EQ(dialog.Control(CDgpsModeDialog::kTimeout).enabled, mode != 2);
    }
}

TEST(DgpsSourceDialog, AutoScanIsForTheBeaconOnlyAndItsBoxesSendZeros)
{
    using D = CDgpsSourceDialog;
    struct Case {
        int source;
        bool frequencyScan, bitRateScan;
        bool group, frequency, bitRate;
        Payload sent;
    };
    const Case cases[] = {
        {D::kSourceNone, true, true, false, false, false, {0x85, 0, 0, 0, 0, 0, 0}},
        {D::kSourceBeacon, true, true, true, false, false, {0x85, 3, 0, 0, 0, 0, 0}},
        {D::kSourceBeacon, false, true, true, true, false, {0x85, 3, 0x00, 0x04, 0xBA, 0xF0, 0}},
        {D::kSourceBeacon, true, false, true, false, true, {0x85, 3, 0, 0, 0, 0, 0xC8}},
        {D::kSourceBeacon, false, false, true, true, true, {0x85, 0x03, 0x00, 0x04, 0xBA, 0xF0, 0xC8}},
    };
    for (const Case& c : cases) {
        fakes::CScriptedUi ui;
        D dialog(ui, 3);
        dialog.ChooseRadio(D::kSource, c.source);
        if (!c.frequencyScan) {
            dialog.Click(D::kFrequencyScan);
        }
        if (!c.bitRateScan) {
            dialog.Click(D::kBitRateScan);
        }
        dialog.Type(D::kFrequency, "310000");
        dialog.ChooseItem(D::kBitRate, 2);
        const std::string where = "case " + std::to_string(&c - cases);
        for (const int id : {D::kAutoScanGroup, D::kFrequencyScan, D::kBitRateScan}) {
            EXPECT_EQ(dialog.Control(id).enabled, c.group) << where;
        }
        EXPECT_EQ(dialog.Control(D::kFrequency).enabled, c.frequency) << where;
        EXPECT_EQ(dialog.Control(D::kBitRate).enabled, c.bitRate) << where;
        EXPECT_EQ(Sent(dialog), c.sent) << where;
    }
}

TEST(DgpsSourceDialog, AReportedBitRateTheListLacksIsOfferedAndSentBack)
{
    const auto record = Record<uint8_t, uint8_t, uint32_t, uint8_t>(0x85, 1, 310000, 150);
    fakes::CScriptedUi ui;
    CDgpsSourceDialog dialog(ui, 3, CCurrentValues(record));
    EXPECT_FALSE(dialog.Control(CDgpsSourceDialog::kAutoScanGroup).enabled);
    EXPECT_EQ(dialog.Control(CDgpsSourceDialog::kBitRate).items, (std::vector<std::string>{"50", "100", "200", "150"}));
    EXPECT_EQ(Sent(dialog), (Payload{0x85, 1, 0x00, 0x04, 0xBA, 0xF0, 150}));
}

TEST(ElevationMaskDialog, TheNavigationMaskIsSentInTenthsTruncatedTowardZero)
{
    struct Case {
        const char* typed;
        uint8_t high, low;
    };
    for (const Case& c : {Case{"7.5", 0x00, 0x4B}, Case{"-0.05", 0, 0}, Case{"-12.39", 0xFF, 0x85},
                          Case{"-20", 0xFF, 0x38}, Case{"0.3", 0, 3}}) {
        fakes::CScriptedUi ui;
        CElevationMaskDialog dialog(ui, 3);
        EXPECT_FALSE(dialog.Control(CElevationMaskDialog::kTracking).enabled);
        dialog.Type(CElevationMaskDialog::kNavigation, c.typed);
        EXPECT_EQ(Sent(dialog), (Payload{0x8B, 0x00, 0x32, c.high, c.low})) << c.typed;
    }
}

}  // namespace
}  // namespace kestrion
