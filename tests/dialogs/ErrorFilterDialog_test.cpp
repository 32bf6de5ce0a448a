#include <gtest/gtest.h>

#include "support/ScriptedUi.h"
#include "dialogs/ErrorFilterDialog.h"

namespace kestrion {
namespace {

TEST(ErrorFilter, ShowsACodeWhenItsSeverityIsOn)
{
    struct Case {
        uint16_t code;
        int severity;  // 0 notification, 1 warning, 2 alert, -1 none
    };
    const Case cases[] = {{1, 0},       {18, 0},      {0x1000, 1},  {0x100D, 1},  {0x2000, 2},  {0x2003, 2},
                          {0, -1},      {19, -1},     {0x0FFF, -1}, {0x100E, -1}, {0x2004, -1}, {0xFFFF, -1}};
    for (const Case& c : cases) {
        for (int off = -1; off < 3; ++off) {
            const ErrorFilter filter{off != 0, off != 1, off != 2};
            EXPECT_EQ(filter.Shows(c.code), c.severity >= 0 && c.severity != off)
                << "code " << c.code << " with severity " << off << " off";
        }
    }
}

TEST(ErrorFilterDialog, OpensOnTheFlagsAndGivesTheBoxesAfterOk)
{
    fakes::CScriptedUi ui;
    CErrorFilterDialog dialog(ui, ErrorFilter{true, false, true});
    EXPECT_EQ(dialog.Title(), "Select Errors to Display");
    EXPECT_EQ(dialog.OkLabel(), "OK");
    EXPECT_EQ(dialog.Control(CErrorFilterDialog::kNotifications).label, "Notification      (least severe)");
    EXPECT_EQ(dialog.Control(CErrorFilterDialog::kWarnings).label, "Warnings");
    EXPECT_EQ(dialog.Control(CErrorFilterDialog::kAlerts).label, "Alert                (most severe)");

    dialog.Click(CErrorFilterDialog::kNotifications);
    dialog.Click(CErrorFilterDialog::kWarnings);
    ASSERT_TRUE(dialog.Ok());
    const ErrorFilter filter = dialog.Filter();
    EXPECT_EQ(std::vector<bool>({filter.notifications, filter.warnings, filter.alerts}),
              std::vector<bool>({false, true, true}));
}

}  // namespace
}  // namespace kestrion
