#include "dialogs/UartConfigDialog.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "dialogs/SerialLineItems.h"
#include "protocol/CommandLayouts.h"
#include "protocol/CommandPayload.h"

namespace kestrion {

namespace {

// The list position of a protocol is its code.
const std::vector<std::string> kProtocolItems = {"Orvo Binary", "NMEA",   "ASCII",  "RTCM-DGPS", "User 1",
                                                 "No I/O",      "User 2", "User 3", "User 4"};
constexpr int kNoIo = 5;
// MID_ChangeUartChnl as Kestrion I software takes it.
constexpr int kUnsetUart = 0xFF;  // the UART number of an entry whose "Set" box is off
constexpr const CCommandLayout& kChangeUart = CommandLayout(MID_ChangeUartChnl);
// A field of the UART entries, by UART.
consteval auto EntryFields(std::string_view name) { return kChangeUart.Fields<CUartConfigDialog::kUarts>(name); }
constexpr auto kUartNumber = EntryFields("uart");
constexpr auto kInputProtocol = EntryFields("inputProtocol");
constexpr auto kOutputProtocol = EntryFields("outputProtocol");
constexpr auto kUartBaud = EntryFields("baud");
constexpr auto kUartDataBits = EntryFields("dataBits");
constexpr auto kUartStopBits = EntryFields("stopBits");
constexpr auto kUartParity = EntryFields("parity");

constexpr const char* kCaptions[CUartConfigDialog::kUarts] = {
    "UART 0 (CPU SCIO 0)", "UART 1 (CPU SCIO 1)", "UART 2 (GSP Port A)", "UART 3 (GSP Port B)"};

constexpr const char* kHelpLines[] = {
    "THESE CONFIGURATION ITEMS ARE INTENDED FOR SDK USERS ONLY.",
    "",
    "Many settings are not supported in the default Orvo reference designs.",
    "It is possible to lose communication with the receiver through improper use",
    "of this UART configuration screen.  To regain communication, you can always",
    "remove the battery backup so that the ROM communication defaults are used.",
    "",
    "ASIC UARTs are not available during Lullcycle 'CPU only' time periods.",
    "Identical protocols can not be used concurrently on multiple serial ports.",
    "HW reference designs support two serial ports.",
    "SW reference designs don't support User protocols.",
    "UARTs for which the 'Set' checkbox is not enabled will remain at their current settings.",
    "At least one command must be enabled to 'Set' for the command to be sent.",
    "",
    "The Orvodemo <--> Receiver UART selection is selectable so that Orvodemo can adjust",
    "communication parameters to match.  Of course, if you have selected a protocol other ",
    "than Orvo Binary or NMEA, Orvodemo will not be able to decode the information.",
};

std::string HelpText()
{
    std::string text = kHelpLines[0];
    for (size_t line = 1; line < std::size(kHelpLines); ++line) {
        text += '\n';
        text += kHelpLines[line];
    }
    return text;
}

// The line a fixed-rate protocol gets: its baud rate, 8 data bits, 1 stop bit, no parity.
const char* FixedBaud(const std::string& protocol)
{
    if (protocol == "Orvo Binary") {
        return "19200";
    }
    if (protocol == "NMEA") {
        return "4800";
    }
    return protocol == "RTCM-DGPS" ? "9600" : nullptr;
}

constexpr CUartConfigDialog::UartControl kLine[] = {CUartConfigDialog::kBaud, CUartConfigDialog::kDataBits,
                                                    CUartConfigDialog::kParity, CUartConfigDialog::kStopBits};

}  // namespace

CUartConfigDialog::CUartConfigDialog(IUserInterface& ui, int generation)
    : CCommandDialog(ui, TitleWithValues("UART Configuration", false), "Send"), m_generation(generation)
{
    for (int uart = 0; uart < kUarts; ++uart) {
        const int group = IdOf(uart, kGroup);
        AddGroup(group, kCaptions[uart]);
        AddCheck(IdOf(uart, kSet), "Set", group).value = uart < 2 ? 1 : 0;
        AddDropList(IdOf(uart, kProtocol), "Protocol", kProtocolItems, group);
        AddDropList(IdOf(uart, kBaud), "Baud Rate", kBaudItems, group);
        AddDropList(IdOf(uart, kDataBits), "Data Bits", kDataBitsItems, group);
        AddDropList(IdOf(uart, kParity), "Parity", kParityItems, group);
        AddDropList(IdOf(uart, kStopBits), "Stop Bits", kStopBitsItems, group);
    }
    AddGroup(kReceiverGroup, "Orvodemo <--> Receiver UART");
    AddRadio(kReceiverUart, "", {"UART 0", "UART 1", "UART 2", "UART 3"}, kReceiverGroup).value = 0;
    AddStatic(kWarning, "Warning !  Improper use of this \nconfiguration dialog can cause \n"
                        "receiver communications to be lost !\n\n");
    AddStatic(kSdkNote, "THESE CONFIGURATION ITEMS ARE INTENDED FOR SDK USERS ONLY.\n\n");
    AddButton(kHelp, "Help");
}

int CUartConfigDialog::UartOf(int id, UartControl control)
{
    const int uart = id / kUartBase - 1;
    return uart >= 0 && uart < kUarts && id == IdOf(uart, control) ? uart : -1;
}

void CUartConfigDialog::OnClicked(int id)
{
    if (id == kHelp) {
        Message(HelpText(), BoxIcon::Information);
    } else if (const int uart = UartOf(id, kSet); uart >= 0) {
        ApplyRules(uart);
    }
}

void CUartConfigDialog::OnChosen(int id)
{
    if (const int uart = UartOf(id, kProtocol); uart >= 0) {
        ApplyRules(uart);
    }
}

void CUartConfigDialog::ApplyRules(int uart)
{
    const bool set = Set(uart);
    const std::string& protocol = Text(IdOf(uart, kProtocol));
    Enable(IdOf(uart, kProtocol), set);
    if (!set) {
        for (UartControl control : kLine) {
            Enable(IdOf(uart, control), false);
        }
    } else if (const char* baud = FixedBaud(protocol)) {
        SetText(IdOf(uart, kBaud), baud);
        SetText(IdOf(uart, kDataBits), "8");
        SetText(IdOf(uart, kParity), "NONE");
        SetText(IdOf(uart, kStopBits), "1");
        for (UartControl control : kLine) {
            Enable(IdOf(uart, control), control == kBaud);
        }
    } else if (protocol.empty() || ProtocolCode(uart) == kNoIo) {
        for (UartControl control : kLine) {
            SetText(IdOf(uart, control), "");
            Enable(IdOf(uart, control), false);
        }
    } else {
        for (UartControl control : kLine) {
            Enable(IdOf(uart, control), true);
        }
    }
}

int CUartConfigDialog::ProtocolCode(int uart) const
{
    const auto found = std::ranges::find(kProtocolItems, Text(IdOf(uart, kProtocol)));
    return found == kProtocolItems.end() ? kNoIo : static_cast<int>(found - kProtocolItems.begin());
}

bool CUartConfigDialog::Valid(int uart) const
{
    if (!Set(uart)) {
        return true;
    }
    if (Text(IdOf(uart, kProtocol)).empty()) {
        return false;
    }
    return ProtocolCode(uart) == kNoIo ||
           std::ranges::none_of(kLine, [&](UartControl control) { return Text(IdOf(uart, control)).empty(); });
}

bool CUartConfigDialog::OnOk()
{
    if (!ReadControls()) {
        return false;
    }
    bool allValid = true;
    std::string report = "Protocol, Baud, Data Bits, Stop Bits, and Parity must be Selected for\n"
                         "each UART command that is 'Set' and Protocol selection is Not 'No I/O'.\n\n";
    for (int uart = 0; uart < kUarts; ++uart) {
        const bool valid = Valid(uart);
        allValid = allValid && valid;
        report += "Uart " + std::to_string(uart) + ":  " + (valid ? "Valid\n" : "Invalid\n");
    }
    if (!allValid) {
        Message(report, BoxIcon::Error);
        return false;
    }
    for (int first = 0; first < kUarts; ++first) {
        for (int second = first + 1; second < kUarts; ++second) {
            const std::string& protocol = Text(IdOf(first, kProtocol));
            if (Set(first) && Set(second) && protocol == Text(IdOf(second, kProtocol)) && protocol != "No I/O") {
                Message("Identical protocols can not be used concurrently on multiple UARTs.", BoxIcon::Error);
                return false;
            }
        }
    }
    int setCount = 0;
    for (int uart = 0; uart < kUarts; ++uart) {
        setCount += Set(uart) ? 1 : 0;
    }
    if (setCount == 0) {
        Message("At least one command must be enabled to 'Set' for the command to be sent.\n", BoxIcon::Error);
        return false;
    }
    return true;
}

std::vector<Payload> CUartConfigDialog::Payloads() const
{
    CFieldValues payload = kChangeUart.Values();
    if (m_generation == 1) {
        payload.Set(kChangeUart.Field("mid"), kMidChangeUartChnlFirstGeneration);
    }
    for (int uart = 0; uart < kUarts; ++uart) {
        const int code = Set(uart) ? ProtocolCode(uart) : kNoIo;
        payload.Set(kUartNumber[uart], Set(uart) ? uart : kUnsetUart)
            .Set(kInputProtocol[uart], code)
            .Set(kOutputProtocol[uart], code);
        if (code != kNoIo) {
            payload.Set(kUartBaud[uart], Int(IdOf(uart, kBaud)))
                .Set(kUartDataBits[uart], Int(IdOf(uart, kDataBits)))
                .Set(kUartStopBits[uart], Int(IdOf(uart, kStopBits)))
                .Set(kUartParity[uart], ParityCode(Text(IdOf(uart, kParity))));
        }
    }
    return {payload.Wire()};
}

uint32_t CUartConfigDialog::ReceiverUartBaud() const
{
    const int uart = Value(kReceiverUart);
    if (uart < 0 || uart >= kUarts || !Set(uart) || ProtocolCode(uart) == kNoIo) {
        return 0;
    }
    return static_cast<uint32_t>(Int(IdOf(uart, kBaud)));
}

}  // namespace kestrion
