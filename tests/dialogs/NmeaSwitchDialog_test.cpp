#include "dialogs/NmeaSwitchDialog.h"

#include <gtest/gtest.h>

#include "support/ScriptedUi.h"

namespace kestrion {
namespace {

using D = CNmeaSwitchDialog;

// 0x81, mode 2, a rate and the checksum flag per sentence, the baud rate.
Payload NmeaPayload(const std::vector<uint8_t>& rates, uint8_t checksum, uint16_t baud)
{
    Payload payload = {0x81, 0x02};
    for (uint8_t rate : rates) {
        payload.push_back(rate);
        payload.push_back(checksum);
    }
    payload.push_back(static_cast<uint8_t>(baud >> 8));
    payload.push_back(static_cast<uint8_t>(baud));
    return payload;
}

TEST(NmeaSwitchDialog, OpensOnAndSetDefaultsRestoresGgaGsaGsvAndRmcAt4800WithChecksums)
{
    fakes::CScriptedUi ui;
    D dialog(ui, 3);
    EXPECT_EQ(dialog.Title() + "|" + dialog.OkLabel(), "Select NMEA Messages: Default|Send");
    const std::vector<Payload> defaults = {
        {0x81, 0x02, 1, 1, 0, 1, 1, 1, 5, 1, 1, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0x12, 0xC0}};
    ASSERT_TRUE(dialog.Ok());
    EXPECT_EQ(dialog.Payloads(), defaults);

    dialog.Type(D::kBaud, "19200");
    dialog.Click(D::kChecksums);
    dialog.Type(D::kFirstRate + 9, "9");
    dialog.Click(D::kDefaults);
    ASSERT_TRUE(dialog.Ok());
    EXPECT_EQ(dialog.Payloads(), defaults);
    EXPECT_EQ(dialog.BaudText(), "4800");
    EXPECT_FALSE(dialog.DevelopmentData());
}

TEST(NmeaSwitchDialog, KestrionOneOffersNo57600)
{
    fakes::CScriptedUi ui;
    EXPECT_EQ(D(ui, 2).Control(D::kBaud).items.back(), "57600");
    EXPECT_EQ(D(ui, 1).Control(D::kBaud).items, (std::vector<std::string>{"4800", "9600", "19200", "38400"}));
}

TEST(NmeaSwitchDialog, SendsTypedRatesBaudAndChecksumFlag)
{
    struct Case {
        std::string baud;
        bool checksums;
        std::vector<uint8_t> rates;
    };
    const Case cases[] = {
        {"57600", true, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {"9600", false, {255, 10, 0, 0, 0, 0, 0, 0, 0, 255}},
    };
    for (const Case& c : cases) {
        fakes::CScriptedUi ui;
        D dialog(ui, 2);
        dialog.Type(D::kBaud, c.baud);
        if (!c.checksums) {
            dialog.Click(D::kChecksums);
        }
        for (int sentence = 0; sentence < D::kSentences; ++sentence) {
            dialog.Type(D::kFirstRate + sentence, std::to_string(c.rates[sentence]));
        }
        ASSERT_TRUE(dialog.Ok()) << c.baud;
        EXPECT_EQ(dialog.Payloads(),
                  std::vector<Payload>{NmeaPayload(c.rates, c.checksums ? 1 : 0,
                                                   static_cast<uint16_t>(std::stoi(c.baud)))});
    }
}

TEST(NmeaSwitchDialog, RefusesBadRatesAndBaudTexts)
{
    struct Case {
        int id;
        std::string text;
        std::string refusal;
    };
    std::vector<Case> cases = {
        {D::kBaud, "115200", "Please enter no more than 5 characters."},
        {D::kBaud, "99999", "Please enter an integer between 1 and 65535."},
        {D::kBaud, "0", "Please enter an integer between 1 and 65535."},
        {D::kBaud, "fast", "Please enter an integer."},
    };
    for (int sentence = 0; sentence < D::kSentences; ++sentence) {
        cases.push_back({D::kFirstRate + sentence, sentence % 2 == 0 ? "256" : "-1", "Update Rate must be 0 to 255"});
    }
    cases.push_back({D::kFirstRate + 3, "five", "Update Rate must be 0 to 255"});
    for (const Case& c : cases) {
        fakes::CScriptedUi ui;
        D dialog(ui, 3);
        dialog.Type(c.id, c.text);
        EXPECT_FALSE(dialog.Ok()) << c.id << " " << c.text;
        EXPECT_EQ(ui.boxes, std::vector<std::string>{c.refusal}) << c.id << " " << c.text;
        EXPECT_EQ(dialog.Focus(), c.id);
    }
}

TEST(NmeaSwitchDialog, DevelopmentDataShowsOnlyAfterARightDoubleClickAndClearsWhenHidden)
{
    fakes::CScriptedUi ui;
    D dialog(ui, 3);
    EXPECT_FALSE(dialog.Control(D::kDevelopment).visible);
    dialog.RightDoubleClick();
    EXPECT_TRUE(dialog.Control(D::kDevelopment).visible);
    dialog.Click(D::kDevelopment);
    EXPECT_TRUE(dialog.DevelopmentData());
    dialog.RightDoubleClick();
    EXPECT_FALSE(dialog.Control(D::kDevelopment).visible);
    EXPECT_FALSE(dialog.DevelopmentData());
}

}  // namespace
}  // namespace kestrion
