// A measurement: a recording played "As fast as possible" in the console with all nine views
// open in a 1600 x 1000 window, offscreen. It runs when KESTRION_REPLAY_RECORDING names a
// binary recording (a day of it: make-sample day.bin --seconds 86400), or a CSV one by its
// ending ".csv", and reports the wall
// time, the recording time played per second and the longest turn of the event loop, which
// is how long the window may leave a click unanswered.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "support/PlaybackFixtures.h"
#include "app/ViewSlots.h"
#include "FrameConsole.h"

namespace kestrion::test {
namespace {

constexpr qint64 kGiveUpMs = 30 * 60 * 1000;

TEST(FastestReplay, ARecordingWithTheNineViewsOpen)
{
    const char* recording = std::getenv("KESTRION_REPLAY_RECORDING");
    if (recording == nullptr) {
        GTEST_SKIP() << "set KESTRION_REPLAY_RECORDING to a binary recording to measure its replay";
    }
    const bool csv = std::string_view(recording).ends_with(".csv");
    CFrameConsole console(fakes::MeasuredFileIni(csv ? "CSV" : "Binary", recording) + "[Playback]\nSpeed=max\n");
    CMainFrame& frame = *console.frame;
    frame.resize(1600, 1000);
    frame.RunCommand(ID_OPEN_DATA_SOURCE);
    for (const int id : {ID_VIEW_SIGNAL, ID_VIEW_TRACKING, ID_VIEW_MAP, ID_VIEW_NAVIGATION, ID_VIEW_DEVELOPMENT,
                         ID_VIEW_RESPONSE, ID_VIEW_ERROR, ID_VIEW_DGPS_STATUS, ID_VIEW_STATISTICS}) {
        if (console.View(SlotOfViewCommand(id)) == nullptr || console.View(SlotOfViewCommand(id))->isHidden()) {
            frame.RunCommand(id);
        }
    }
    frame.RunCommand(ID_WINDOW_TILE);
    CFeedDoc& document = *frame.Engine().CurrentDocument();
    ASSERT_NE(document.Replay(), nullptr);
    ASSERT_EQ(document.Replay()->Speed(), ReplaySpeed::Fastest);
    const ReplayPosition whole = document.Replay()->Position();

    // A text recording's source is gone once it has played to its end.
    const auto atEnd = [&document] {
        IReplayControl* replay = document.Replay();
        return replay == nullptr || replay->Position().at >= replay->Position().total;
    };
    QElapsedTimer clock;
    clock.start();
    std::vector<qint64> turnsMs;
    while (!atEnd() && clock.elapsed() < kGiveUpMs) {
        QElapsedTimer turn;
        turn.start();
        QCoreApplication::processEvents();
        turnsMs.push_back(turn.elapsed());
    }
    const qint64 wallMs = clock.elapsed();
    ASSERT_TRUE(atEnd()) << "not at the end after " << wallMs << " ms";
    for (int slot = 0; slot < kViewSlots; ++slot) {
        ASSERT_NE(console.View(slot), nullptr) << slot;
        EXPECT_FALSE(console.View(slot)->isHidden()) << slot;
    }
    const double recordingSeconds =
        whole.unit == ReplayPosition::Unit::Hundredths ? static_cast<double>(whole.total) / 100 : 0;
    std::sort(turnsMs.begin(), turnsMs.end());
    const auto turnAt = [&turnsMs](double share) {
        return static_cast<long long>(turnsMs[static_cast<size_t>(share * static_cast<double>(turnsMs.size() - 1))]);
    };
    std::printf("%s: %.1f s of recording in %.2f s (%.0f recording seconds a second); %zu turns of the loop, "
                "median %lld ms, 99 %% within %lld ms, longest %lld ms\n",
                recording, recordingSeconds, static_cast<double>(wallMs) / 1000,
                recordingSeconds * 1000 / static_cast<double>(std::max<qint64>(wallMs, 1)), turnsMs.size(),
                turnAt(0.5), turnAt(0.99), turnAt(1.0));
    RecordProperty("wall_ms", static_cast<int>(wallMs));
    RecordProperty("longest_turn_ms", static_cast<int>(turnAt(1.0)));
}

}  // namespace
}  // namespace kestrion::test
