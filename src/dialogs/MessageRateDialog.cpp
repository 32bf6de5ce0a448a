#include "dialogs/MessageRateDialog.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "protocol/CommandLayouts.h"

namespace kestrion {

namespace {

struct MessageItem {
    std::string_view text;
    uint8_t mid;
};

constexpr uint8_t kDevelopmentMid = 255;

constexpr std::array<MessageItem, 14> kMessages{{
    {"0x02 Measured Navigation", 2},
    {"0x04 Measured Tracker", 4},
    {"0x05 Raw Trk Data", 5},
    {"0x07 Clock Status", 7},
    {"0x08 50BPS", 8},
    {"0x09 Throughput", 9},
    {"0x0D Vis List", 13},
    {"0x11 Raw DGPS", 17},
    {"0x1B DGPS Status", 27},
    {"0x1C NL Meas Data", 28},
    {"0x1D NL DGPS Data", 29},
    {"0x1E NL SV State Data", 30},
    {"0x1F NL Init Data", 31},
    {"0xFF Development Data", kDevelopmentMid},
}};

std::vector<std::string> MessageTexts()
{
    std::vector<std::string> texts;
    for (const MessageItem& item : kMessages) {
        texts.emplace_back(item.text);
    }
    return texts;
}

}  // namespace

CMessageRateDialog::CMessageRateDialog(IUserInterface& ui) : CCommandDialog(ui, TitleWithValues("Set Message Rate", false), "Send")
{
    AddDropList(kMessage, "Select Message:", MessageTexts()).text = kMessages.front().text;
    AddIntEdit(kRate, "Enter Message Update Rate:", "(range: 0 - 30)", 0, 30);
    AddCheck(kSendNow, "&Send Message Now");
}

void CMessageRateDialog::OnClicked(int id)
{
    if (id == kSendNow) {
        Enable(kRate, !Checked(kSendNow));
    }
}

void CMessageRateDialog::OnChosen(int id)
{
    if (id != kMessage) {
        return;
    }
    // The receiver sends development data once a second or not at all. Any other choice
    // enables the rate again, even while "Send Message Now" is on.
    const bool development = ChosenMid() == kDevelopmentMid;
    if (development) {
        SetInt(kRate, 1);
        SetChecked(kSendNow, false);
    }
    Enable(kSendNow, !development);
    Enable(kRate, !development);
}

bool CMessageRateDialog::OnOk() { return ReadControls() && ChosenMid().has_value(); }

std::optional<uint8_t> CMessageRateDialog::ChosenMid() const
{
    const auto item = std::find_if(kMessages.begin(), kMessages.end(),
                                   [this](const MessageItem& message) { return message.text == Text(kMessage); });
    if (item == kMessages.end()) {
        return std::nullopt;
    }
    return item->mid;
}

std::vector<Payload> CMessageRateDialog::Payloads() const
{
    constexpr const CCommandLayout& kSetMsgRate = CommandLayout(MID_SetMsgRate);
    return {kSetMsgRate.Values()
                .Set(kSetMsgRate.Field("sendNow"), Checked(kSendNow) ? 1 : 0)
                .Set(kSetMsgRate.Field("message"), ChosenMid().value_or(0))
                .Set(kSetMsgRate.Field("rate"), Int(kRate))
                .Wire()};
}

}  // namespace kestrion
