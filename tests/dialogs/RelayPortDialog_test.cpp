#include "dialogs/RelayPortDialog.h"

#include <gtest/gtest.h>

#include "support/ScriptedUi.h"

namespace kestrion {
namespace {

TEST(RelayPortDialog, OffersTheComPortsAndThisMachinesDevicesAtAFixedLine)
{
    fakes::CScriptedUi ui;
    CRelayPortDialog dialog(ui, {"/dev/ttyUSB0"});
    EXPECT_EQ(dialog.Title(), "Brevane Comm Properties");
    std::string shown;
    for (const FormControl& control : dialog.Controls()) {
        shown += control.label + control.text + (control.enabled ? "+ " : "- ");
    }
    EXPECT_EQ(shown, "Serial port:COM1+ Baud rate:9600- Data bits:8- Parity:None- Stop bits:1- ");
    const auto& ports = dialog.Control(CRelayPortDialog::kPort).items;
    EXPECT_EQ(ports.size(), 13u);
    EXPECT_EQ(ports.back(), "/dev/ttyUSB0");
}

TEST(RelayPortDialog, PortNameIsTheDeviceNameOfTheChosenOrTypedPort)
{
    struct Case {
        int item;  // -1: typed
        std::string typed;
        std::string expected;
    };
    const Case cases[] = {
        {0, "", "\\\\.\\COM1"},
        {11, "", "\\\\.\\COM12"},
        {12, "", "/dev/ttyUSB0"},
        {-1, " /dev/pts/4 ", "/dev/pts/4"},
        {-1, "ttyACM0", "\\\\.\\ttyACM0"},
    };
    for (const Case& c : cases) {
        fakes::CScriptedUi ui;
        CRelayPortDialog dialog(ui, {"/dev/ttyUSB0"});
        if (c.item >= 0) {
            dialog.ChooseItem(CRelayPortDialog::kPort, c.item);
        } else {
            dialog.Type(CRelayPortDialog::kPort, c.typed);
        }
        ASSERT_TRUE(dialog.Ok());
        EXPECT_EQ(dialog.PortName(), c.expected);
    }
}

}  // namespace
}  // namespace kestrion
