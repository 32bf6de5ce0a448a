#include "dialogs/ShareReceiverDialog.h"

#include <gtest/gtest.h>

#include "support/ScriptedUi.h"

namespace kestrion {
namespace {

std::string RefuseHostNames(const std::string& address)
{
    return address.find("example") != std::string::npos ? address + ": not an address of this computer" : "";
}

TEST(ShareReceiverDialog, OpensOnTheLoopbackPortWhenNothingWasSharedBefore)
{
    fakes::CScriptedUi ui;
    CShareReceiverDialog fresh(ui, "", false, RefuseHostNames);
    EXPECT_EQ(fresh.Title(), "Share Receiver");
    EXPECT_EQ(fresh.Address(), "5000");
    EXPECT_FALSE(fresh.AllowCommands());

    CShareReceiverDialog again(ui, "tcp://0.0.0.0:6001", true, RefuseHostNames);
    EXPECT_EQ(again.Address(), "tcp://0.0.0.0:6001");
    EXPECT_TRUE(again.AllowCommands());
}

TEST(ShareReceiverDialog, RefusesAnEmptyOrUnusableAddressAndStaysOpen)
{
    fakes::CScriptedUi ui;
    CShareReceiverDialog dialog(ui, "", false, RefuseHostNames);
    dialog.Type(CShareReceiverDialog::kAddress, "   ");
    EXPECT_FALSE(dialog.Ok());
    dialog.Type(CShareReceiverDialog::kAddress, "tcp://example.org:5000");
    EXPECT_FALSE(dialog.Ok());
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.boxes[1], "tcp://example.org:5000: not an address of this computer");
    EXPECT_EQ(dialog.Focus(), CShareReceiverDialog::kAddress);

    dialog.Type(CShareReceiverDialog::kAddress, " tcp://localhost:5001 ");
    dialog.Click(CShareReceiverDialog::kAllowCommands);
    EXPECT_TRUE(dialog.Ok());
    EXPECT_EQ(dialog.Address(), "tcp://localhost:5001");
    EXPECT_TRUE(dialog.AllowCommands());
}

}  // namespace
}  // namespace kestrion
