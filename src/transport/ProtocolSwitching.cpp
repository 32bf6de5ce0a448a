// The measured feed's protocol switch and baud synchronisation: tell the receiver, then
// reopen the port with the new settings.
#include <vector>

#include "protocol/CommandPayload.h"
#include "protocol/Mid.h"
#include "transport/Feed.h"

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
        m_services.Decoder().Host().WriteLog("Illegal NMEA mode operation\n");
        return;
    }
    TransmitNmea(kToBinary);
    Reopen(StoreLine("38400", "8", "N", "1"), false);
    m_services.Decoder().Host().WriteLog("$PORV100... sent to switch to Orvo protocol at 38400\n");
}

// Whichever of the commands the receiver understands moves it to 38400 baud, binary; nothing
// waits for an answer. Each command is written before the port closes.
int CMeasuredFeed::Synchronize()
{
    if (!SerialSelected()) {
        return 0;
    }
    for (const char* baud : kScanBauds) {
        if (!Reopen(StoreBaud(baud), true)) {
            return 0;
        }
        TransmitNmea(kToBinary);
    }
    const std::vector<uint8_t> toBinary = SerialPortPayload(MID_SetSerialPort, 38400, 8, 1, 0);
    for (const char* baud : kScanBauds) {
        if (!Reopen(StoreBaud(baud), true)) {
            return 0;
        }
        Transmit(toBinary);
    }
    return Reopen(StoreBaud("38400"), true) ? 1 : 0;
}

}  // namespace kestrion
