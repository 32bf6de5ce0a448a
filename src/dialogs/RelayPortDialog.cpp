#include "dialogs/RelayPortDialog.h"

#include "dialogs/SerialLineItems.h"

namespace kestrion {

CRelayPortDialog::CRelayPortDialog(IUserInterface& ui, const std::vector<std::string>& extraPorts)
    : CDialogForm(ui, "Brevane Comm Properties", "OK")
{
    AddComboEdit(kPort, "Serial port:", PortItems(12, extraPorts));
    AddDropList(kBaud, "Baud rate:", {"4800", "9600", "19200", "38400", "57600"});
    AddDropList(kDataBits, "Data bits:", {"5", "6", "7", "8"});
    AddDropList(kParity, "Parity:", {"None", "Odd", "Even", "Mark", "Space"});
    AddDropList(kStopBits, "Stop bits:", {"1", "1.5", "2"});
    SetText(kPort, "COM1");
    SetText(kBaud, "9600");
    SetText(kDataBits, "8");
    SetText(kParity, "None");
    SetText(kStopBits, "1");
    for (int id : {kBaud, kDataBits, kParity, kStopBits}) {
        Enable(id, false);
    }
}

std::string CRelayPortDialog::PortName() const
{
    const std::string port = TrimmedText(kPort);
    return port.starts_with('/') ? port : "\\\\.\\" + port;
}

}  // namespace kestrion
