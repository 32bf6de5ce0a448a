#include "dialogs/RelayPortDialog.h"

#include <iterator>

namespace kestrion {

namespace {

std::vector<std::string> PortItems(std::vector<std::string> extraPorts)
{
    std::vector<std::string> items;
    for (int number = 1; number <= 12; ++number) {
        items.push_back("COM" + std::to_string(number));
    }
    items.insert(items.end(), std::make_move_iterator(extraPorts.begin()), std::make_move_iterator(extraPorts.end()));
    return items;
}

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

CRelayPortDialog::CRelayPortDialog(IUserInterface& ui, std::vector<std::string> extraPorts)
    : CDialogForm(ui, "Brevane Comm Properties", "OK")
{
    AddComboEdit(kPort, "Serial port:", PortItems(std::move(extraPorts)));
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
    const std::string port = Trimmed(Text(kPort));
    return port.starts_with('/') ? port : "\\\\.\\" + port;
}

}  // namespace kestrion
