#pragma once
// Shared by the view tests: the application (drawing at twice the pixels) and records decoded
// from payloads or made as texts.
#include <cstdint>
#include <ostream>
#include <string_view>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>
#include <QString>

#include "support/QtTestApp.h"
#include "protocol/MessageDecoder.h"
#include "protocol/QuietHost.h"
#include "views/MapCanvas.h"

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

// A 3D fix at latitude and longitude 0 moved north (z) and east (y) by whole metres.
inline CMessageRecord FixAt(uint32_t tow, int32_t north, int32_t east)
{
    constexpr int32_t kEquatorRadius = 6378137;
    CMessageRecord record;
    record.Reset(2);
    record.nav.mid = 2;
    record.nav.x = kEquatorRadius;
    record.nav.y = east;
    record.nav.z = north;
    record.nav.mode1 = 4;
    record.nav.week = 1250;
    record.nav.tow = tow;
    return record;
}

// The map canvas's point `right` and `down` pixels from its origin, wherever the canvas's size
// puts that.
inline CanvasPoint FromOrigin(const CMapCanvas& canvas, int right, int down)
{
    const CanvasPoint origin = OriginPixel(canvas.Plot().Frame());
    return {origin.x + right, origin.y + down};
}

// Runs the event loop for a while: the views' throttled refreshes come in it.
inline void RunEventsFor(int ms)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < ms) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
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
