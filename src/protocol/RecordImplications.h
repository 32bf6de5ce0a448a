#pragma once
// What a decoded message implies beyond its record, for the owners of the line and the
// program to act on: the decoder only reports it.
#include <cstdint>
#include <optional>

namespace kestrion {

struct RecordImplications {
    // An NMEA sentence puts the main frame into its NMEA display mode; a binary message ends it.
    bool nmeaSeen = false;
    bool binarySeen = false;
    // MID 18: the receiver's OK-to-send flag.
    std::optional<uint8_t> okToSend;
    // A navigation message of a later generation, mode 1 bit 3 clear: held commands may go.
    bool releasesCommands = false;
    // The generation a software version names, while version detection is on.
    std::optional<int> generation;
    // The first message on a serial line with the generation unknown: ask for the version.
    bool versionPollDue = false;

    // The flag a line whose flag is `current` is to take, or nothing when it keeps its flag.
    std::optional<uint8_t> OkToSendAfter(uint8_t current) const
    {
        if (okToSend.has_value()) {
            return okToSend;
        }
        if (releasesCommands && current == 0) {
            return uint8_t{1};
        }
        return std::nullopt;
    }
};

}  // namespace kestrion
