// The measured feed's protocol switch and baud synchronisation: tell the receiver, then
// reopen the port with the new settings (a network connection stays as it is).
#include <algorithm>
#include <vector>

#include "protocol/CommandPayload.h"
#include "protocol/Mid.h"
#include "transport/Feed.h"
#include "transport/MeasuredPort.h"

namespace kestrion {

namespace {

constexpr const char* kToBinary = "PORV100,0,38400,8,1,0";
constexpr int kToNmea = 2;
constexpr int kToBinaryTarget = 3;
constexpr const char* kScanBauds[] = {"1200", "2400", "4800", "9600", "19200", "38400", "57600"};

}  // namespace

void CMeasuredFeed::SwitchProtocol(int target)
{
    if (!SerialSelected() || target == kToNmea) {
        return;
    }
    if (target != kToBinaryTarget) {
        m_services.decoder.Host().WriteLog("Illegal NMEA mode operation\n");
        return;
    }
    TransmitNmea(kToBinary);
    const SerialSettings binary{"38400", "8", "N", "1"};
    Reopen(Remember(binary), binary, false);
    m_services.decoder.Host().WriteLog("$PORV100... sent to switch to Orvo protocol at 38400\n");
}

// Whichever of the commands the receiver understands moves it to 38400 baud, binary; nothing
// waits for an answer. Each command is written before the port closes. The rates of the scan
// are tried, not chosen: only the line it ends on is stored.
int CMeasuredFeed::Synchronize()
{
    if (!SerialSelected()) {
        return 0;
    }
    if (const std::string address = NetworkMeasuredPort(m_services.profile); !address.empty()) {
        m_services.boxes.MessageBox("Synchronize Protocol and Baud Rate needs a serial port; the measured receiver is on " +
                                  address + ", which has no baud rate to scan.",
                              BoxButtons::Ok, BoxIcon::Warning);
        return 0;
    }
    SerialSettings line = Line();
    const auto reopenAt = [&](const char* baud) {
        line.baud = baud;
        return Reopen({}, line, true);
    };
    const auto scan = [&](const auto& send) {
        return std::ranges::all_of(kScanBauds, [&](const char* baud) {
            if (!reopenAt(baud)) {
                return false;
            }
            send();
            return true;
        });
    };
    const std::vector<uint8_t> toBinary = SerialPortPayload(MID_SetSerialPort, 38400, 8, 1, 0);
    const bool synchronized = scan([&] { TransmitNmea(kToBinary); }) && scan([&] { Transmit(toBinary); }) &&
                              reopenAt("38400");
    Settings::SaveMeasuredLine(m_services.profile, line);
    m_services.events.RefreshTitle();
    return synchronized ? 1 : 0;
}

}  // namespace kestrion
