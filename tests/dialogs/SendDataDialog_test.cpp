#include "dialogs/SendDataDialog.h"

#include <gtest/gtest.h>

#include "support/ScriptedUi.h"
#include "support/TempFolder.h"

namespace kestrion {
namespace {

using D = CSendDataDialog;
using Bytes = std::vector<uint8_t>;

TEST(SendData, HexTextBecomesBytesOrIsRefusedWithAWarningAndIsRememberedEitherWay)
{
    const std::string empty = "Command String Is Empty";
    const std::string invalid = "Command String Contains Invalid Characters";
    // text, wrapper, bytes, message (empty: accepted)
    const std::vector<std::tuple<std::string, int, Bytes, std::string>> cases = {
        {"A0 A2", D::kNoneButton, {0xA0, 0xA2}, ""},
        {"A0 A2", D::kBinaryButton, {0xA0, 0xA2}, ""},
        {"  84 \r\n 00  \n", D::kBinaryButton, {0x84, 0x00}, ""},
        {"84 0", D::kBinaryButton, {0x84}, ""},
        {"1234567890ABCDEF", D::kNoneButton, {0x12, 0x34, 0x56, 0x78, 0x90, 0xAB, 0xCD, 0xEF}, ""},
        {std::string(1000, 'F') + "1", D::kBinaryButton, Bytes(500, 0xFF), ""},
        {" \r\n ", D::kNoneButton, {}, empty},
        {"8", D::kBinaryButton, {}, empty},
        {"a0", D::kBinaryButton, {}, invalid},
        {"84\t00", D::kNoneButton, {}, invalid},
        {std::string(1002, 'F'), D::kNoneButton, {}, "Command String Is Too Long (500 bytes at most)"},
    };
    for (const auto& [text, wrapper, bytes, message] : cases) {
        fakes::CScriptedUi ui;
        SendDataMemory memory;
        D dialog(ui, memory);
        dialog.Type(D::kText, text);
        dialog.ChooseRadio(D::kWrapper, wrapper);
        EXPECT_EQ(dialog.Ok(), message.empty()) << text;
        if (message.empty()) {
            EXPECT_EQ(dialog.Output(), wrapper == D::kNoneButton ? D::Wrapper::None : D::Wrapper::Binary);
            EXPECT_EQ(dialog.Bytes(), bytes) << text;
        } else {
            EXPECT_EQ(ui.boxes, std::vector<std::string>{message}) << text;
            EXPECT_EQ(ui.icons, std::vector<BoxIcon>{BoxIcon::Warning});
        }
        const D reopened(ui, memory);
        EXPECT_EQ(reopened.Text(D::kText), text);
        EXPECT_EQ(reopened.Value(D::kWrapper), wrapper);
    }
}

TEST(SendData, NmeaWrapsTheTextAsTypedWithTheExclusiveOrOfItsBytes)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"AB", "$AB*03\r\n"},
        {"A\r\nB", "$A\r\nB*04\r\n"},
        {"a0 lower, tab\t", "$a0 lower, tab\t*60\r\n"},
        {"\xC3\xA9", "$\xC3\xA9*6A\r\n"},
    };
    fakes::CScriptedUi ui;
    SendDataMemory memory;
    for (const auto& [text, sentence] : cases) {
        D dialog(ui, memory);
        dialog.Type(D::kText, text);
        dialog.ChooseRadio(D::kWrapper, D::kNmeaButton);
        ASSERT_TRUE(dialog.Ok()) << text;
        EXPECT_EQ(dialog.Output(), D::Wrapper::Nmea);
        EXPECT_EQ(std::string(dialog.Bytes().begin(), dialog.Bytes().end()), sentence);
        EXPECT_EQ(dialog.Control(D::kWrapper).items[D::kNmeaButton], "&NMEA ( $..<data>..*ck\\r\\n )");
    }
    EXPECT_TRUE(ui.boxes.empty());
}

TEST(SendData, LoadAndSaveButtonsUseCommandFiles)
{
    const CTempFolder folder;
    WriteText(folder.Path() / "poll.cmd", "84\n00\n\n");
    fakes::CScriptedUi ui;
    ui.files = {(folder.Path() / "poll.cmd").string(), (folder.Path() / "copy.cmd").string()};
    SendDataMemory memory;
    D dialog(ui, memory);
    dialog.Click(D::kLoad);
    EXPECT_EQ(dialog.Text(D::kText), "8400");
    dialog.Type(D::kText, "84 00\n");
    dialog.Click(D::kSave);
    EXPECT_EQ(ReadText(folder.Path() / "copy.cmd"), "84 00\n");
}

}  // namespace
}  // namespace kestrion
