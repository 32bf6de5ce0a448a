#include "dialogs/NmeaSwitchDialog.h"

#include <cstdint>
#include <optional>
#include <string_view>

#include "dialogs/ListItems.h"
#include "protocol/CommandLayouts.h"

namespace kestrion {

namespace {

struct Sentence {
    std::string_view label;
    int defaultRate;
};

constexpr Sentence kSentenceRates[CNmeaSwitchDialog::kSentences] = {
    {"GGA:", 1}, {"GLL:", 0}, {"GSA:", 1}, {"GSV:", 5}, {"RMC:", 1},
    {"VTG:", 0}, {"MSS:", 0}, {"User 8:", 0}, {"User 9:", 0}, {"User 10:", 0},
};

constexpr const CCommandLayout& kSetNmeaMode = CommandLayout(MID_SetNMEAMode);
constexpr auto kRateFields = kSetNmeaMode.Fields<CNmeaSwitchDialog::kSentences>("rate");
constexpr auto kChecksumFields = kSetNmeaMode.Fields<CNmeaSwitchDialog::kSentences>("checksum");
constexpr int kMaxBaudChars = 5;
constexpr uint8_t kNmeaMode = 2;

}  // namespace

CNmeaSwitchDialog::CNmeaSwitchDialog(IUserInterface& ui, int generation)
    : CCommandDialog(ui, TitleWithValues("Select NMEA Messages", false), "Send")
{
    std::vector<std::string> bauds{"4800", "9600", "19200", "38400"};
    if (generation != 1) {
        bauds.emplace_back("57600");
    }
    AddComboEdit(kBaud, "Baud Rate", std::move(bauds)).maxChars = kMaxBaudChars;
    AddCheck(kChecksums, "&Use Checksums");
    AddCheck(kDevelopment, "&Enable Development Data").visible = false;
    AddGroup(kRateGroup, "Update Rate (1/n-sec; 0 to 255)");
    for (int sentence = 0; sentence < kSentences; ++sentence) {
        AddComboEdit(kFirstRate + sentence, std::string(kSentenceRates[sentence].label), NumberItems(0, 10),
                     kRateGroup);
    }
    AddStatic(kNote, "Note:\nThe User message rate settings will only apply if the User has created new NMEA "
                     "Output messages using the SDK.");
    AddButton(kDefaults, "Set Defaults");
    SetDefaults();
}

void CNmeaSwitchDialog::SetDefaults()
{
    SetChecked(kChecksums, true);
    SetText(kBaud, "4800");
    for (int sentence = 0; sentence < kSentences; ++sentence) {
        SetInt(kFirstRate + sentence, kSentenceRates[sentence].defaultRate);
    }
}

void CNmeaSwitchDialog::OnClicked(int id)
{
    if (id == kDefaults) {
        SetDefaults();
    }
}

void CNmeaSwitchDialog::OnRightDoubleClick()
{
    const bool show = !Control(kDevelopment).visible;
    Show(kDevelopment, show);
    if (!show) {
        SetChecked(kDevelopment, false);
    }
}

bool CNmeaSwitchDialog::OnOk()
{
    if (!ReadControls()) {
        return false;
    }
    // The payload carries the baud rate in 16 bits.
    const std::optional<int64_t> baud = ParseFormInteger(BaudText());
    if (!baud) {
        return Refuse(kBaud, "Please enter an integer.");
    }
    if (*baud < 1 || *baud > UINT16_MAX) {
        return Refuse(kBaud, "Please enter an integer between 1 and 65535.");
    }
    for (int sentence = 0; sentence < kSentences; ++sentence) {
        const std::optional<int64_t> rate = ParseFormInteger(Text(kFirstRate + sentence));
        if (!rate || *rate < 0 || *rate > 255) {
            return Refuse(kFirstRate + sentence, "Update Rate must be 0 to 255");
        }
    }
    return true;
}

std::vector<Payload> CNmeaSwitchDialog::Payloads() const
{
    CFieldValues payload = kSetNmeaMode.Values();
    payload.Set(kSetNmeaMode.Field("mode"), kNmeaMode);
    for (int sentence = 0; sentence < kSentences; ++sentence) {
        payload.Set(kRateFields[sentence], Int(kFirstRate + sentence))
            .Set(kChecksumFields[sentence], Checked(kChecksums));
    }
    payload.Set(kSetNmeaMode.Field("baud"), Int(kBaud));
    return {payload.Wire()};
}

}  // namespace kestrion
