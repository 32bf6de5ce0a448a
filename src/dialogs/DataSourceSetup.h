#pragma once
// "Data Source Setup": random data, or supplied data made of an optional truth feed (from a
// file) and the measured feed, from a file or a serial port. A port may be a network address
// ("tcp://HOST:PORT", "udp://:PORT"), which has no baud rate; the addresses used before are
// offered with the ports. It edits the "Data Sources" settings and nothing else; the caller
// reopens the data sources after OK.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/DialogForm.h"
#include "platform/Profile.h"
#include "platform/Settings.h"

namespace kestrion {

class CDataSourceSetup : public CDialogForm {
public:
    enum ControlId {
        kDataSource = 1,
        kTrueGroup,
        kUseTrue,
        kTrueSource,
        kTrueFile,
        kTrueBrowse,
        kTruePort,
        kTrueBaud,
        kTrueWeek,
        kTrueTow,
        kMeasGroup,
        kUseMeas,
        kMeasSource,
        kMeasFile,
        kMeasBrowse,
        kMeasFormat,
        kMeasPort,
        kMeasBaud,
    };
    static constexpr int kRandom = 0;    // kDataSource buttons
    static constexpr int kSupplied = 1;
    static constexpr int kFile = 0;      // kTrueSource and kMeasSource buttons
    static constexpr int kSerial = 1;
    static constexpr size_t kNetworkHistory = 8;  // addresses kept for the port lists

    // firstOpening is the program-wide flag: the first opening clears it and offers no Cancel.
    // serialPorts are the devices present as ListSerialPorts gives them; the network addresses
    // used before follow, then the stored port when it is none of them (a typed path; "COM1"
    // shows as the /dev/ttyS0 of the list). Without a stored port the first device is chosen,
    // and without any the data source opens as random. refreshTitle rebuilds the main window's
    // title; it runs after every OK, accepted or not.
    CDataSourceSetup(IUserInterface& ui, const CProfile& profile, bool& firstOpening,
                     const std::vector<std::string>& serialPorts, std::function<void()> refreshTitle);

protected:
    void OnClicked(int id) override;
    void OnChosen(int /*id*/) override { ApplyRules(); }
    void OnTyped(int /*id*/) override { ApplyRules(); }
    bool OnOk() override;

private:
    // The stored ports by the names of the list, and the opening choice without stored ones.
    void TakeMachinePorts(const std::vector<std::string>& serialPorts);
    void ShowSettings();
    void ApplyRules();
    void Browse(int edit, const FileChooser& chooser);
    // The checks of OK in their order; false after refusing one.
    bool Validate();
    // The checks of a port: its name, and its baud rate unless it is a network address.
    bool ValidatePort(int port, int baud, std::string_view missingPort, std::string_view missingBaud);
    void ReadSettings();
    // The port's text as stored: without blanks around it or the device a link points to.
    std::string PortText(int port) const;
    // The network address in use goes first in the stored history.
    void RememberNetworkPort();

    bool Supplied() const { return Value(kDataSource) == kSupplied; }
    bool TruthEnabled() const { return Supplied() && Checked(kUseTrue); }
    bool MeasuredEnabled() const { return Supplied() && Checked(kUseMeas); }

    CProfile m_profile;  // a copy: the caller's may be a temporary
    Settings m_settings;
    std::function<void()> m_refreshTitle;
};

}  // namespace kestrion
