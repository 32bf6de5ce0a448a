#pragma once
// Shared by the view tests: the application (drawing at twice the pixels) and records decoded
// from payloads or made as texts.
#include <cstdint>
#include <ostream>
#include <string_view>
#include <vector>

#include <QString>

#include "../platform/QtTestApp.h"
#include "protocol/MessageDecoder.h"
#include "protocol/QuietHost.h"

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace kestrion::test {

inline QApplication& ViewApplication()
{
    qputenv("QT_SCALE_FACTOR", "2");
    return TestApplication();
}

// A record decoded from a payload (MID first); bytes left out read as 0.
inline CMessageRecord Decoded(std::vector<uint8_t> payload)
{
    ProtocolState state;
    CQuietHost host;
    CMessageRecord record;
    CMessageDecoder(state, host).Decode(record, payload, nullptr);
    return record;
}

// A receiver text, or a program fault text with the marker.
inline CMessageRecord TextRecord(std::string_view text, uint16_t marker = 0)
{
    CMessageRecord record;
    record.SetType(255);
    record.SetText(text);
    record.faultMarker = marker;
    return record;
}

}  // namespace kestrion::test
