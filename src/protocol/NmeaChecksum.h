#pragma once
// The "*hh" checksum of NMEA sentences: computed for the ones we send, checked on the ones we
// receive.
#include <cstdint>
#include <string_view>

namespace kestrion {

// The exclusive-or of every byte of the body, 0 for an empty body.
uint8_t NmeaChecksum(std::string_view body);

struct NmeaChecksumCheck {
    std::string_view body;   // between "$" and "*" (or the line end)
    bool present = false;    // the sentence ends in "*hh"
    bool valid = true;       // false when "*" is followed by anything but two hex digits, or they differ
    uint8_t received = 0, computed = 0;
};

// Checks a received sentence, from "$" on, with or without its line end. A sentence without a
// checksum is valid.
NmeaChecksumCheck CheckNmeaChecksum(std::string_view sentence);

// True when the bytes (a sentence from "$" on, without its line end) end in a "*hh" that
// matches: the framers' test of a sentence that ends in LF alone, so that binary bytes that
// happen to follow a "$" are never taken for one.
bool EndsInGoodChecksum(const uint8_t* sentence, size_t size);

}  // namespace kestrion
