#pragma once
// Program-wide receiver state that decoding reads and writes.
#include <cstdint>

namespace kestrion {

struct ProtocolState {
    // -1 unknown (detection pending), 0 version poll sent, 1..3 the generation found.
    int generation = -1;
    // While set, MID 6 decides the generation; an NMEA sentence clears it.
    bool versionDetection = true;
    // The receiver software selection dialog is showing.
    bool selectionDialogOpen = false;
    // A dead-reckoning message (MID 26) has arrived since the serial port opened.
    bool deadReckoningSeen = false;
    // Rows by SV ID - 1; cleared when the entry for SV 1 arrives.
    int16_t almanac[32][14] = {};
    uint16_t ephemeris[32][45] = {};
};

}  // namespace kestrion
