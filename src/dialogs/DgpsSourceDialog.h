#pragma once
// "DGPS Source": where differential corrections come from and, for the internal beacon
// receiver, its frequency and bit rate or their auto-scan, sent as MID_DGPSSourceControl.
#include "dialogs/CommandDialog.h"

namespace kestrion {

class CDgpsSourceDialog : public CCommandDialog {
public:
    enum ControlId { kSource = 1, kAutoScanGroup, kFrequencyScan, kFrequency, kBitRateScan, kBitRate };
    static constexpr int kSourceNone = 0;
    static constexpr int kSourceWaas = 1;
    static constexpr int kSourceExternal = 2;
    static constexpr int kSourceBeacon = 3;

    CDgpsSourceDialog(IUserInterface& ui, int generation, CCurrentValues current = {});

    std::vector<Payload> Payloads() const override;

protected:
    void OnClicked(int id) override;

private:
    void ShowBitRate(uint8_t bitRate);
    void ApplyRules();
};

}  // namespace kestrion
