#pragma once
// One measurement cycle as the views receive it: a tracker record with 12 channels and the
// navigation record that follows it, moving a little each cycle, or a second of a multi-GNSS
// NMEA receiver's sentences with 40 satellites; and the benchmark loops that deliver cycles to
// a view of 1280 x 720 logical pixels and render the whole view.
#include <cstdint>
#include <filesystem>
#include <vector>

#include <benchmark/benchmark.h>

#include <QImage>
#include <QWidget>

#include "NmeaStream.h"
#include "app/DocumentView.h"
#include "platform/Profile.h"
#include "protocol/MessageRecord.h"
#include "protocol/Mid.h"

namespace kestrion::bench {

struct CycleRecords {
    CMessageRecord tracker;
    CMessageRecord navigation;
};

inline CycleRecords MakeCycle(uint32_t cycle)
{
    CycleRecords records;
    records.tracker.SetType(MID_MeasuredTracker);
    TrackerBlock& tracker = records.tracker.tracker;
    tracker.mid = MID_MeasuredTracker;
    tracker.week = 1250;
    tracker.tow = 22722000 + cycle * 100;
    tracker.channelCount = kChannels;
    for (uint8_t channel = 0; channel < kChannels; ++channel) {
        TrackerChannel& entry = tracker.channels[channel];
        entry.svId = static_cast<uint8_t>(channel * 2 + 1);
        entry.azimuth = static_cast<uint8_t>((channel * 20 + cycle) % 240);
        entry.elevation = static_cast<uint8_t>(20 + channel * 12);
        entry.state = 0xBF;
        for (uint8_t& cno : entry.cno) {
            cno = static_cast<uint8_t>(30 + (channel + cycle) % 15);
        }
        entry.averageCno = entry.cno[0];
    }

    records.navigation.SetType(MID_MeasuredNavigation);
    NavBlock& nav = records.navigation.nav;
    nav.mid = MID_MeasuredNavigation;
    nav.x = 4177000 + static_cast<int32_t>(cycle % 20);  // near Munich
    nav.y = 855000;
    nav.z = 4728000;
    nav.vx = 8;
    nav.vy = -16;
    nav.vz = 4;
    nav.mode1 = 0x04;
    nav.dop = 6;
    nav.mode2 = 0x02;
    nav.week = 1250;
    nav.tow = tracker.tow;
    nav.svCount = 8;
    for (uint8_t channel = 0; channel < 8; ++channel) {
        nav.svIds[channel] = tracker.channels[channel].svId;
    }
    return records;
}

// No settings file: every view takes its defaults.
inline CProfile AbsentProfile()
{
    return CProfile(std::filesystem::temp_directory_path() / "kestrion-bench-absent" / "kestrion-demo.ini");
}

// The sentences of one NMEA second as text records.
inline std::vector<CMessageRecord> MakeNmeaCycle(int second)
{
    std::vector<CMessageRecord> records;
    for (const std::string& sentence : NmeaSecond(second)) {
        CMessageRecord& record = records.emplace_back();
        record.Reset(255);
        record.SetText(std::string_view(sentence).substr(0, sentence.size() - 2));
    }
    return records;
}

inline QImage ShowAndTarget(QWidget& view)
{
    view.resize(1280, 720);
    view.show();
    const qreal ratio = view.devicePixelRatioF();
    QImage target(view.size() * ratio, QImage::Format_RGB32);
    target.setDevicePixelRatio(ratio);
    return target;
}

template <typename View>
void RunNmeaCycles(benchmark::State& state, View& view);

// Binary cycles, or NMEA ones when the benchmark's argument is 1.
template <typename View>
void RunCycles(benchmark::State& state, View& view)
{
    if (state.range(0) == 1) {
        RunNmeaCycles(state, view);
        return;
    }
    QImage target = ShowAndTarget(view);
    std::vector<CycleRecords> cycles;
    for (uint32_t cycle = 0; cycle < 15; ++cycle) {
        cycles.push_back(MakeCycle(cycle));
    }
    size_t next = 0;
    for (auto _ : state) {
        const CycleRecords& records = cycles[next++ % cycles.size()];
        view.OnUpdate(UpdateHint::Record, &records.tracker);
        view.OnUpdate(UpdateHint::Record, &records.navigation);
        view.render(&target);
    }
    benchmark::DoNotOptimize(target.constBits());
}

// Each cycle's first sentence closes the epoch before it, which the view then draws.
template <typename View>
void RunNmeaCycles(benchmark::State& state, View& view)
{
    QImage target = ShowAndTarget(view);
    std::vector<std::vector<CMessageRecord>> cycles;
    for (int second = 0; second < 15; ++second) {
        cycles.push_back(MakeNmeaCycle(second));
    }
    size_t next = 0;
    for (auto _ : state) {
        for (const CMessageRecord& record : cycles[next++ % cycles.size()]) {
            view.OnUpdate(UpdateHint::Record, &record);
        }
        view.render(&target);
    }
    benchmark::DoNotOptimize(target.constBits());
}

}  // namespace kestrion::bench
