#include "dialogs/SerialPortDialog.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/ScriptedUi.h"
#include "support/TempFolder.h"

namespace kestrion {
namespace {

using Dialog = CSerialPortDialog;

Settings Stored(std::string baud, std::string dataBits, std::string parity, std::string stopBits)
{
    Settings settings;
    settings.measSerialBaud = std::move(baud);
    settings.measSerialDBits = std::move(dataBits);
    settings.measSerialParity = std::move(parity);
    settings.measSerialSBits = std::move(stopBits);
    return settings;
}

std::string Shown(const Dialog& dialog)
{
    return dialog.BaudText() + " " + dialog.DataBitsText() + " " + dialog.ParityText() + " " + dialog.StopBitsText();
}

TEST(SerialPortDialog, SendsTheChosenLine)
{
    struct Case {
        Dialog::Variant variant;
        std::vector<std::string> chosen;  // baud, then data bits, parity, stop bits for DGPS
        Payload expected;
    };
    const Case cases[] = {
        {Dialog::Variant::Main, {"57600"}, {0x86, 0x00, 0x00, 0xE1, 0x00, 0x08, 0x01, 0x00, 0x00}},
        {Dialog::Variant::Dgps, {"9600", "8", "ODD", "1"}, {0x91, 0x00, 0x00, 0x25, 0x80, 0x08, 0x01, 0x01, 0x00}},
        {Dialog::Variant::Dgps, {"1200", "7", "EVEN", "0"}, {0x91, 0x00, 0x00, 0x04, 0xB0, 0x07, 0x00, 0x02, 0x00}},
    };
    for (const Case& c : cases) {
        fakes::CScriptedUi ui;
        Dialog dialog(ui, 3, c.variant, Stored("4800", "8", "NONE", "1"));
        for (size_t field = 0; field < c.chosen.size(); ++field) {
            const int id = Dialog::kBaud + static_cast<int>(field);
            const auto& items = dialog.Control(id).items;
            dialog.ChooseItem(id, static_cast<int>(std::ranges::find(items, c.chosen[field]) - items.begin()));
        }
        ASSERT_TRUE(dialog.Ok());
        EXPECT_EQ(dialog.Payloads(), std::vector<Payload>{c.expected}) << c.chosen[0];
    }
}

// A stored text the list does not offer would send a zero rate or zero data bits.
TEST(SerialPortDialog, OpensOnTheStoredLineOrTheDefaults)
{
    struct Case {
        int generation;
        Dialog::Variant variant;
        Settings stored;
        std::string shown;
        std::string lastBaud;
        size_t dataBitsItems;
        bool lineEnabled;
    };
    const Case cases[] = {
        {2, Dialog::Variant::Main, Stored("38400", "8", "EVEN", "0"), "38400 8 EVEN 0", "57600", 1, false},
        {3, Dialog::Variant::Main, Stored("", "", "", ""), "9600 8 NONE 1", "57600", 1, false},
        {3, Dialog::Variant::Main, Stored("115200", "7", "MARK", "2"), "9600 8 NONE 1", "57600", 1, false},
        {1, Dialog::Variant::Main, Stored("57600", "8", "ODD", "1"), "9600 8 ODD 1", "38400", 1, false},
        {1, Dialog::Variant::Dgps, Stored("38400", "7", "ODD", "0"), "9600 8 NONE 1", "38400", 2, true},
    };
    for (const Case& c : cases) {
        fakes::CScriptedUi ui;
        Dialog dialog(ui, c.generation, c.variant, c.stored);
        EXPECT_EQ(Shown(dialog), c.shown) << c.stored.measSerialBaud;
        EXPECT_EQ(dialog.Control(Dialog::kBaud).items.back(), c.lastBaud);
        EXPECT_EQ(dialog.Control(Dialog::kDataBits).items.size(), c.dataBitsItems);
        EXPECT_TRUE(dialog.Control(Dialog::kBaud).enabled);
        for (int id : {Dialog::kDataBits, Dialog::kParity, Dialog::kStopBits}) {
            EXPECT_EQ(dialog.Control(id).enabled, c.lineEnabled) << id;
        }
    }
}

TEST(SerialPortDialog, MissingStoredKeysTakeTheDialogDefaults)
{
    CTempFolder folder;
    const CProfile profile(folder.Path() / "demo.ini");
    WriteText(profile.Path(), "[Data Sources]\nMeasSource=0\nMeasSerialParity=ODD\n");
    const Settings stored = Dialog::StoredSettings(profile);
    fakes::CScriptedUi ui;
    EXPECT_EQ(Shown(Dialog(ui, 3, Dialog::Variant::Main, stored)), "9600 8 ODD 1");
    EXPECT_EQ(stored.measSource, 0);
}

}  // namespace
}  // namespace kestrion
