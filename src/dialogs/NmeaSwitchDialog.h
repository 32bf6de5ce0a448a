#pragma once
// "Select NMEA Messages": the NMEA baud rate, the rate of each sentence and the checksums the
// receiver uses once switched to NMEA (MID_SetNMEAMode). The caller reconnects at the baud
// text and, when development data was asked for, enables it with an NMEA sentence.
#include <string>
#include <vector>

#include "dialogs/CommandDialog.h"

namespace kestrion {

class CNmeaSwitchDialog : public CCommandDialog {
public:
    static constexpr int kSentences = 10;
    enum ControlId {
        kBaud = 1,
        kChecksums,
        kDevelopment,
        kRateGroup,
        kFirstRate,  // GGA, then one per sentence in payload order
        kNote = kFirstRate + kSentences,
        kDefaults,
    };

    CNmeaSwitchDialog(IUserInterface& ui, int generation);

    std::vector<Payload> Payloads() const override;

    const std::string& BaudText() const { return Text(kBaud); }
    bool DevelopmentData() const { return Checked(kDevelopment); }

protected:
    void OnClicked(int id) override;
    void OnRightDoubleClick() override;
    bool OnOk() override;

private:
    void SetDefaults();
};

}  // namespace kestrion
