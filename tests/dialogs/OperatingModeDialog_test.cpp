#include "dialogs/OperatingModeDialog.h"

#include <gtest/gtest.h>

#include "support/ScriptedUi.h"

namespace kestrion {
namespace {

using D = COperatingModeDialog;

TEST(OperatingModeDialog, EachModeSendsItsCodeAndEnablesItsFields)
{
    struct Case {
        int mode;
        bool period, sv;
        Payload expected;  // SV 6, period 10
    };
    const Case cases[] = {
        {D::kNormal, false, false, {0x96, 0x00, 0x00, 0x00, 0x06, 0x00, 0x0A}},
        {D::kTest1, true, true, {0x96, 0x1E, 0x51, 0x00, 0x06, 0x00, 0x0A}},
        {D::kTest2, true, true, {0x96, 0x1E, 0x52, 0x00, 0x06, 0x00, 0x0A}},
        {D::kTest3, false, true, {0x96, 0x1E, 0x53, 0x00, 0x06, 0x00, 0x0A}},
    };
    for (const Case& c : cases) {
        fakes::CScriptedUi ui;
        D dialog(ui);
        EXPECT_EQ(dialog.Title() + "|" + dialog.OkLabel(), "Switch Operating Mode: Default|Send");
        EXPECT_EQ(dialog.Control(D::kMode).itemEnabled, (std::vector<bool>{true, true, true, false}));
        dialog.Type(D::kPeriod, "500");
        dialog.ChooseRadio(D::kMode, c.mode);
        EXPECT_EQ(dialog.Text(D::kPeriod), "10") << c.mode;
        EXPECT_EQ(dialog.Control(D::kPeriod).enabled, c.period) << c.mode;
        EXPECT_EQ(dialog.Control(D::kSvText).enabled, c.sv) << c.mode;
        EXPECT_EQ(dialog.Control(D::kSvNumber).enabled, c.sv) << c.mode;
        ASSERT_TRUE(dialog.Ok());
        EXPECT_EQ(dialog.Payloads(), std::vector<Payload>{c.expected}) << c.mode;
    }
}

TEST(OperatingModeDialog, SendsTheLargestValuesAndRefusesBeyondTheRanges)
{
    struct Case {
        std::string period, sv;
        std::string refusal;
    };
    const Case cases[] = {
        {"60000", "32", ""},
        {"0", "6", "Please enter an integer between 1 and 60000."},
        {"60001", "6", "Please enter an integer between 1 and 60000."},
        {"10", "0", "Please enter an integer between 1 and 32."},
        {"10", "33", "Please enter an integer between 1 and 32."},
    };
    for (const Case& c : cases) {
        fakes::CScriptedUi ui;
        D dialog(ui);
        dialog.ChooseRadio(D::kMode, D::kTest2);
        dialog.Type(D::kPeriod, c.period);
        dialog.Type(D::kSvNumber, c.sv);
        EXPECT_EQ(dialog.Ok(), c.refusal.empty()) << c.period << " " << c.sv;
        if (c.refusal.empty()) {
            EXPECT_EQ(dialog.Payloads().front(), (Payload{0x96, 0x1E, 0x52, 0x00, 0x20, 0xEA, 0x60}));
        } else {
            EXPECT_EQ(ui.boxes, std::vector<std::string>{c.refusal});
        }
    }
}

}  // namespace
}  // namespace kestrion
