#pragma once
// "UART Configuration": protocols and line settings for the receiver's four UARTs
// (MID_ChangeUartChnl), and which of them the program's port is wired to.
#include <cstdint>
#include <vector>

#include "dialogs/CommandDialog.h"

namespace kestrion {

class CUartConfigDialog : public CCommandDialog {
public:
    static constexpr int kUarts = 4;
    // Per UART u: its group, "Set" box and five lists at kUartBase * (u + 1) + offset.
    static constexpr int kUartBase = 10;
    enum UartControl { kGroup = 0, kSet, kProtocol, kBaud, kDataBits, kParity, kStopBits };
    enum ControlId { kReceiverGroup = 50, kReceiverUart, kWarning, kSdkNote, kHelp };

    static constexpr int IdOf(int uart, UartControl control) { return kUartBase * (uart + 1) + control; }

    CUartConfigDialog(IUserInterface& ui, int generation);

    std::vector<Payload> Payloads() const override;
    // The baud rate of the UART the program's port is wired to; 0 when that UART is not set or
    // has no I/O.
    uint32_t ReceiverUartBaud() const;

protected:
    void OnClicked(int id) override;
    void OnChosen(int id) override;
    bool OnOk() override;

private:
    // The enabling and the values that follow from the UART's "Set" box and protocol.
    void ApplyRules(int uart);
    // A set UART names its protocol and, unless it has no I/O, the whole line.
    bool Valid(int uart) const;
    int ProtocolCode(int uart) const;
    bool Set(int uart) const { return Checked(IdOf(uart, kSet)); }
    // The UART whose control of that kind has this id, or -1.
    static int UartOf(int id, UartControl control);

    int m_generation;
};

}  // namespace kestrion
