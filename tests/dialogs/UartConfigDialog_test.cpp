#include "dialogs/UartConfigDialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "support/ScriptedUi.h"

namespace kestrion {
namespace {

using Dialog = CUartConfigDialog;

// Picks the list item with that text, as the user does.
void Choose(Dialog& dialog, int uart, Dialog::UartControl control, const std::string& text)
{
    const int id = Dialog::IdOf(uart, control);
    const auto& items = dialog.Control(id).items;
    const auto found = std::ranges::find(items, text);
    ASSERT_NE(found, items.end()) << text;
    dialog.ChooseItem(id, static_cast<int>(found - items.begin()));
}

void ClickSet(Dialog& dialog, int uart) { dialog.Click(Dialog::IdOf(uart, Dialog::kSet)); }

// A UART's lists as "protocol/baud/data bits/parity/stop bits/", each marked + or - for enabled.
std::string Line(const Dialog& dialog, int uart)
{
    std::string line;
    for (Dialog::UartControl control :
         {Dialog::kProtocol, Dialog::kBaud, Dialog::kDataBits, Dialog::kParity, Dialog::kStopBits}) {
        const FormControl& list = dialog.Control(Dialog::IdOf(uart, control));
        line += (list.enabled ? "+" : "-") + list.text + "/";
    }
    return line;
}

// The rules are not applied on opening: every list starts enabled and empty.
TEST(UartConfigDialog, TheProtocolAndTheSetBoxRuleTheLineOfTheirUartOnly)
{
    fakes::CScriptedUi ui;
    Dialog dialog(ui, 3);
    EXPECT_EQ(Line(dialog, 3), "+/+/+/+/+/");
    struct Case {
        std::string protocol;
        std::string line;
    };
    const Case cases[] = {
        {"Orvo Binary", "+Orvo Binary/+19200/-8/-NONE/-1/"},
        {"NMEA", "+NMEA/+4800/-8/-NONE/-1/"},
        {"RTCM-DGPS", "+RTCM-DGPS/+9600/-8/-NONE/-1/"},
        {"No I/O", "+No I/O/-/-/-/-/"},
        {"ASCII", "+ASCII/+/+/+/+/"},  // the line No I/O emptied stays empty
        {"User 4", "+User 4/+/+/+/+/"},
    };
    for (const Case& c : cases) {
        Choose(dialog, 1, Dialog::kProtocol, c.protocol);
        EXPECT_EQ(Line(dialog, 1), c.line);
    }
    EXPECT_EQ(Line(dialog, 0), "+/+/+/+/+/");
    EXPECT_EQ(dialog.Value(Dialog::kReceiverUart), 0);

    Choose(dialog, 1, Dialog::kBaud, "38400");
    ClickSet(dialog, 1);
    EXPECT_EQ(Line(dialog, 1), "-User 4/-38400/-/-/-/");
    ClickSet(dialog, 1);
    EXPECT_EQ(Line(dialog, 1), "+User 4/+38400/+/+/+/");
}

TEST(UartConfigDialog, SendRefusesIncompleteIdenticalOrUnsetUartsWithAStopBox)
{
    const std::string invalid = "Protocol, Baud, Data Bits, Stop Bits, and Parity must be Selected for\n"
                                "each UART command that is 'Set' and Protocol selection is Not 'No I/O'.\n\n";
    const std::string identical = "Identical protocols can not be used concurrently on multiple UARTs.";
    struct Case {
        std::function<void(Dialog&)> setUp;
        std::string box;
    };
    const Case cases[] = {
        {[](Dialog&) {}, invalid + "Uart 0:  Invalid\nUart 1:  Invalid\nUart 2:  Valid\nUart 3:  Valid\n"},
        {[](Dialog& d) {
             Choose(d, 0, Dialog::kProtocol, "NMEA");
             d.Type(Dialog::IdOf(0, Dialog::kStopBits), "");
             Choose(d, 1, Dialog::kProtocol, "No I/O");
             ClickSet(d, 3);
             Choose(d, 3, Dialog::kProtocol, "ASCII");
             Choose(d, 3, Dialog::kBaud, "9600");
             Choose(d, 3, Dialog::kDataBits, "8");
             Choose(d, 3, Dialog::kParity, "ODD");
         },
         invalid + "Uart 0:  Invalid\nUart 1:  Valid\nUart 2:  Valid\nUart 3:  Invalid\n"},
        {[](Dialog& d) {
             Choose(d, 0, Dialog::kProtocol, "Orvo Binary");
             Choose(d, 1, Dialog::kProtocol, "Orvo Binary");
             Choose(d, 1, Dialog::kBaud, "4800");
         },
         identical},
        {[](Dialog& d) {
             Choose(d, 0, Dialog::kProtocol, "No I/O");
             ClickSet(d, 1);
             for (int uart : {2, 3}) {
                 ClickSet(d, uart);
                 Choose(d, uart, Dialog::kProtocol, "RTCM-DGPS");
             }
         },
         identical},
        {[](Dialog& d) {
             ClickSet(d, 0);
             ClickSet(d, 1);
         },
         "At least one command must be enabled to 'Set' for the command to be sent.\n"},
    };
    for (const Case& c : cases) {
        fakes::CScriptedUi ui;
        Dialog dialog(ui, 3);
        c.setUp(dialog);
        EXPECT_FALSE(dialog.Ok());
        EXPECT_EQ(ui.boxes, std::vector<std::string>{c.box});
        EXPECT_EQ(ui.icons, std::vector<BoxIcon>{BoxIcon::Error});
    }
}

TEST(UartConfigDialog, PayloadHoldsFourEntriesAndTheReceiverUartBaud)
{
    for (int generation : {1, 2, 3}) {
        fakes::CScriptedUi ui;
        Dialog dialog(ui, generation);
        Choose(dialog, 0, Dialog::kProtocol, "Orvo Binary");
        Choose(dialog, 1, Dialog::kProtocol, "No I/O");
        ClickSet(dialog, 2);
        Choose(dialog, 2, Dialog::kProtocol, "User 2");
        Choose(dialog, 2, Dialog::kBaud, "57600");
        Choose(dialog, 2, Dialog::kDataBits, "7");
        Choose(dialog, 2, Dialog::kParity, "EVEN");
        Choose(dialog, 2, Dialog::kStopBits, "0");
        ASSERT_TRUE(dialog.Ok());
        const Payload expected = {
            static_cast<uint8_t>(generation == 1 ? 0xB6 : 0xA5),
            0x00, 0x00, 0x00, 0x00, 0x00, 0x4B, 0x00, 0x08, 0x01, 0x00, 0x00, 0x00,
            0x01, 0x05, 0x05, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
            0x02, 0x06, 0x06, 0x00, 0x00, 0xE1, 0x00, 0x07, 0x00, 0x02, 0x00, 0x00,
            0xFF, 0x05, 0x05, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
        EXPECT_EQ(dialog.Payloads(), std::vector<Payload>{expected});
        EXPECT_TRUE(ui.boxes.empty());

        struct Wired {
            int uart;
            uint32_t baud;
        };
        for (const Wired& w : {Wired{0, 19200}, Wired{1, 0}, Wired{2, 57600}, Wired{3, 0}}) {
            dialog.ChooseRadio(Dialog::kReceiverUart, w.uart);
            EXPECT_EQ(dialog.ReceiverUartBaud(), w.baud) << w.uart;
        }
    }
}

TEST(UartConfigDialog, HelpIsOneInformationBoxOfSeventeenLines)
{
    fakes::CScriptedUi ui;
    Dialog dialog(ui, 3);
    dialog.Click(Dialog::kHelp);
    ASSERT_EQ(ui.icons, std::vector<BoxIcon>{BoxIcon::Information});
    EXPECT_EQ(std::ranges::count(ui.boxes[0], '\n'), 16);
    EXPECT_NE(ui.boxes[0].find("ONLY.\n\nMany"), std::string::npos);
    EXPECT_NE(ui.boxes[0].find("protocol other \nthan Orvo Binary"), std::string::npos);
}

}  // namespace
}  // namespace kestrion
