#include "dialogs/DgpsSourceDialog.h"

#include "dialogs/ListItems.h"
#include "protocol/CommandLayouts.h"

namespace kestrion {

namespace {

constexpr const CCommandLayout& kDgpsSource = CommandLayout(MID_DGPSSourceControl);

}  // namespace

CDgpsSourceDialog::CDgpsSourceDialog(IUserInterface& ui, int /*generation*/, CCurrentValues current)
    : CCommandDialog(ui, TitleWithValues("DGPS Source", current.Present()), "OK")
{
    AddRadio(kSource, "Source",
             {"&None", "&WAAS Channel", "&External RTCM Data (Serial Port B)", "&Internal DGPS Beacon Receiver"});
    AddGroup(kAutoScanGroup, "Auto Scan");
    AddCheck(kFrequencyScan, "&Frequency (Hz)", kAutoScanGroup);
    FormControl& frequency = AddUnsignedEdit(kFrequency, "", "", kAutoScanGroup);
    frequency.low = 283500;
    frequency.high = 325000;
    AddCheck(kBitRateScan, "&Bit Rate (per sec.)", kAutoScanGroup);
    AddDropList(kBitRate, "", {"50", "100", "200"}, kAutoScanGroup);

    const bool present = current.Present();
    const auto hertz = static_cast<uint32_t>(present ? current.Get(kDgpsSource.Field("frequency")) : 0);
    const auto bitRate = static_cast<uint8_t>(present ? current.Get(kDgpsSource.Field("bitRate")) : 0);
    SetValue(kSource, present ? current.Get(kDgpsSource.Field("source")) : kSourceExternal);
    SetChecked(kFrequencyScan, hertz == 0);
    SetInt(kFrequency, hertz == 0 ? 300000 : hertz);
    SetChecked(kBitRateScan, bitRate == 0);
    ShowBitRate(bitRate == 0 ? 100 : bitRate);
    ApplyRules();
}

void CDgpsSourceDialog::ShowBitRate(uint8_t bitRate)
{
    FormControl& list = Edit(kBitRate);
    list.text = std::to_string(bitRate);
    // A rate the list does not offer is added, so that the receiver's own value can go back.
    if (!IsListItem(list)) {
        list.items.push_back(list.text);
    }
}

void CDgpsSourceDialog::OnClicked(int /*id*/) { ApplyRules(); }

void CDgpsSourceDialog::ApplyRules()
{
    const bool beacon = Value(kSource) == kSourceBeacon;
    Enable(kAutoScanGroup, beacon);
    Enable(kFrequencyScan, beacon);
    Enable(kBitRateScan, beacon);
    Enable(kFrequency, beacon && !Checked(kFrequencyScan));
    Enable(kBitRate, beacon && !Checked(kBitRateScan));
}

std::vector<Payload> CDgpsSourceDialog::Payloads() const
{
    const uint32_t hertz = Checked(kFrequencyScan) ? 0 : static_cast<uint32_t>(Int(kFrequency));
    const int64_t bitRate = Checked(kBitRateScan) ? 0 : Int(kBitRate);
    return {kDgpsSource.Values()
                .Set(kDgpsSource.Field("source"), Value(kSource))
                .Set(kDgpsSource.Field("frequency"), hertz)
                .Set(kDgpsSource.Field("bitRate"), bitRate)
                .Wire()};
}

}  // namespace kestrion
