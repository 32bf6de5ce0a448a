#include "dialogs/MessageRateDialog.h"

#include <gtest/gtest.h>

#include "support/ScriptedUi.h"

namespace kestrion {
namespace {

using D = CMessageRateDialog;

int ItemOf(const D& dialog, const std::string& text)
{
    const auto& items = dialog.Control(D::kMessage).items;
    return static_cast<int>(std::find(items.begin(), items.end(), text) - items.begin());
}

TEST(MessageRateDialog, SendsTheChosenMessagesMidRateAndNowFlag)
{
    struct Case {
        std::string item;
        std::string rate;
        bool now;
        Payload expected;
    };
    const Case cases[] = {
        {"0x0D Vis List", "5", false, {0xA6, 0x00, 0x0D, 0x05, 0x00, 0x00, 0x00, 0x00}},
        {"0x02 Measured Navigation", "30", true, {0xA6, 0x01, 0x02, 0x1E, 0x00, 0x00, 0x00, 0x00}},
        {"0x1F NL Init Data", "0", false, {0xA6, 0x00, 0x1F, 0x00, 0x00, 0x00, 0x00, 0x00}},
        {"0xFF Development Data", "7", false, {0xA6, 0x00, 0xFF, 0x01, 0x00, 0x00, 0x00, 0x00}},
    };
    for (const Case& c : cases) {
        fakes::CScriptedUi ui;
        D dialog(ui);
        if (c.now) {
            dialog.Click(D::kSendNow);
        }
        dialog.Type(D::kRate, c.rate);
        dialog.ChooseItem(D::kMessage, ItemOf(dialog, c.item));
        ASSERT_TRUE(dialog.Ok()) << c.item;
        EXPECT_EQ(dialog.Payloads(), std::vector<Payload>{c.expected}) << c.item;
    }
}

TEST(MessageRateDialog, OpensOnTheFirstMessageAndSendNowOrDevelopmentDataDisableTheRate)
{
    fakes::CScriptedUi ui;
    D dialog(ui);
    EXPECT_EQ(dialog.Title() + "|" + dialog.OkLabel(), "Set Message Rate: Default|Send");
    EXPECT_EQ(dialog.Text(D::kMessage) + "|" + dialog.Text(D::kRate), "0x02 Measured Navigation|0");
    EXPECT_TRUE(dialog.Control(D::kRate).enabled && !dialog.Checked(D::kSendNow));
    dialog.Click(D::kSendNow);
    EXPECT_FALSE(dialog.Control(D::kRate).enabled);
    dialog.Click(D::kSendNow);
    EXPECT_TRUE(dialog.Control(D::kRate).enabled);

    dialog.Click(D::kSendNow);
    dialog.ChooseItem(D::kMessage, ItemOf(dialog, "0xFF Development Data"));
    EXPECT_EQ(dialog.Text(D::kRate), "1");
    EXPECT_FALSE(dialog.Checked(D::kSendNow));
    EXPECT_FALSE(dialog.Control(D::kRate).enabled);
    EXPECT_FALSE(dialog.Control(D::kSendNow).enabled);

    dialog.ChooseItem(D::kMessage, ItemOf(dialog, "0x09 Throughput"));
    EXPECT_TRUE(dialog.Control(D::kRate).enabled);
    EXPECT_TRUE(dialog.Control(D::kSendNow).enabled);
}

// The box rules the rate until a message is chosen; a choice then enables the rate for every
// message but development data, whatever the box says.
TEST(MessageRateDialog, TheLastClickOrChoiceRulesTheRate)
{
    struct Case {
        std::vector<std::string> actions;  // "now" clicks the box, anything else is an item chosen
        bool rateEnabled, boxEnabled;
    };
    const Case cases[] = {
        {{"now"}, false, true},
        {{"now", "0x09 Throughput"}, true, true},
        {{"now", "0x09 Throughput", "now", "now"}, false, true},
        {{"now", "0xFF Development Data"}, false, false},
        {{"0xFF Development Data", "0x05 Raw Trk Data"}, true, true},
    };
    for (const Case& c : cases) {
        fakes::CScriptedUi ui;
        D dialog(ui);
        std::string where;
        for (const std::string& action : c.actions) {
            action == "now" ? dialog.Click(D::kSendNow) : dialog.ChooseItem(D::kMessage, ItemOf(dialog, action));
            where += action + "|";
        }
        EXPECT_EQ(dialog.Control(D::kRate).enabled, c.rateEnabled) << where;
        EXPECT_EQ(dialog.Control(D::kSendNow).enabled, c.boxEnabled) << where;
    }
}

TEST(MessageRateDialog, RefusesARateOutOfRangeAndStaysOpenWithoutAMessage)
{
    fakes::CScriptedUi ui;
    D dialog(ui);
    dialog.Click(D::kSendNow);
    dialog.Type(D::kRate, "31");
    EXPECT_FALSE(dialog.Ok());
    EXPECT_EQ(ui.boxes, std::vector<std::string>{"Please enter an integer between 0 and 30."});

    dialog.Type(D::kRate, "3");
    dialog.Type(D::kMessage, "");
    EXPECT_FALSE(dialog.Ok());
    EXPECT_EQ(ui.boxes.size(), 1u);
}

}  // namespace
}  // namespace kestrion
