#pragma once
// "Set Serial Port Parameters" and "Set DGPS Serial Port Parameters": the line settings of the
// receiver's main port (MID_SetSerialPort) or of its DGPS correction port (MID_SetDGPSPort).
// For the main port only the baud rate can change; the caller reconnects with the texts.
#include <string>
#include <vector>

#include "dialogs/CommandDialog.h"
#include "platform/Profile.h"
#include "platform/Settings.h"

namespace kestrion {

class CSerialPortDialog : public CCommandDialog {
public:
    enum class Variant { Main, Dgps };
    enum ControlId { kBaud = 1, kDataBits, kParity, kStopBits };

    // The main variant opens on the stored line of the measured source; a stored text that is
    // not in its list opens as the dialog's default ("9600", "8", "NONE", "1").
    CSerialPortDialog(IUserInterface& ui, int generation, Variant variant, const Settings& stored);

    // The data-source settings with the serial line keys read as this dialog defaults them:
    // a missing key is "9600", "8", "NONE" or "1" (the settings' own baud default differs).
    static Settings StoredSettings(const CProfile& profile);

    std::vector<Payload> Payloads() const override;

    const std::string& BaudText() const { return Text(kBaud); }
    const std::string& DataBitsText() const { return Text(kDataBits); }
    const std::string& ParityText() const { return Text(kParity); }
    const std::string& StopBitsText() const { return Text(kStopBits); }

private:
    // Shows text when the list offers it, else the fallback.
    void Open(int id, const std::string& text, const char* fallback);

    Variant m_variant;
};

}  // namespace kestrion
