#pragma once
// "Brevane Comm Properties": the port of the dead-reckoning device. Its line is fixed at
// 9600 8N1, so only the port can be chosen; the other lists show that line.
#include <string>
#include <vector>

#include "platform/DialogForm.h"

namespace kestrion {

class CRelayPortDialog : public CDialogForm {
public:
    enum ControlId { kPort = 1, kBaud, kDataBits, kParity, kStopBits };

    // extraPorts: the serial devices of this machine, offered after "COM1" to "COM12". A
    // device path can also be typed.
    explicit CRelayPortDialog(IUserInterface& ui, const std::vector<std::string>& extraPorts = {});

    // "\\.\COMn" for a COM port; a device path as it is.
    std::string PortName() const;
};

}  // namespace kestrion
