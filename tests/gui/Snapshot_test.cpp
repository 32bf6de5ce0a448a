#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QImage>

#include "support/QtTestApp.h"
#include "support/TempFolder.h"
#include "gui/ConsoleCommandLine.h"
#include "gui/Snapshot.h"
#include "views/ViewColours.h"

namespace kestrion {
namespace {

using Action = ConsoleCommandLine::Action;

TEST(ConsoleCommandLine, TakesASnapshotRequestOrSaysWhatIsWrong)
{
    struct Case {
        std::vector<std::string> args;
        Action action;
        std::string error;
    };
    const Case cases[] = {
        {{}, Action::Console, ""},
        {{"--help"}, Action::Help, ""},
        {{"--snapshot", "map", "--help"}, Action::Help, ""},
        {{"-h"}, Action::Help, ""},
        {{"--snapshot=tracking", "--out=a.png"}, Action::Snapshot, ""},
        {{"--snapshot", "map", "--out", "a.png", "--", "-h"}, Action::Error, "unexpected argument -h"},
        {{"-x"}, Action::Error, "unknown option -x"},
        {{"--version=2"}, Action::Error, "option --version takes no value"},
        {{"--version"}, Action::Version, ""},
        {{"--snapshot", "tracking", "--out", "a.png"}, Action::Snapshot, ""},
        {{"--snapshot", "sky", "--out", "a.png"}, Action::Error, "unknown view \"sky\""},
        {{"--snapshot", "map"}, Action::Error, "--snapshot needs --out FILE.png"},
        {{"--out", "a.png"}, Action::Error, "go with --snapshot"},
        {{"--snapshot", "map", "--out", "a.png", "--size", "64x"}, Action::Error, "--size takes WxH"},
        {{"--snapshot", "map", "--out", "a.png", "--size", "10001x10"}, Action::Error, "--size takes WxH"},
        {{"--snapshot", "map", "--out", "a.png", "--seconds", "0"}, Action::Error, "--seconds needs an integer"},
        {{"--snapshot", "map", "--out", "a.png", "extra"}, Action::Error, "unexpected argument extra"},
        {{"--fullscreen"}, Action::Error, "unknown option --fullscreen"},
    };
    for (const Case& c : cases) {
        const ConsoleCommandLine line = ParseConsoleCommandLine(c.args);
        SCOPED_TRACE(c.args.empty() ? "(none)" : c.args.back());
        EXPECT_EQ(line.action, c.action);
        EXPECT_NE(line.error.find(c.error), std::string::npos) << line.error;
    }

    const ConsoleCommandLine line =
        ParseConsoleCommandLine({"--snapshot", "dgps", "--out", "d.png", "--ini", "x.ini", "--seconds", "7", "--size",
                                 "320x200"});
    EXPECT_EQ(line.snapshot.slot, 7);
    EXPECT_EQ(line.snapshot.out, "d.png");
    EXPECT_EQ(line.snapshot.ini, "x.ini");
    EXPECT_EQ(line.snapshot.seconds, 7);
    EXPECT_EQ(line.snapshot.width, 320);
    EXPECT_EQ(line.snapshot.height, 200);
}

// How many pixels of the picture have the colour.
int Count(const QImage& image, Rgb colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            count += qRed(pixel) == colour.red && qGreen(pixel) == colour.green && qBlue(pixel) == colour.blue ? 1 : 0;
        }
    }
    return count;
}

TEST(Snapshot, PlaysTheRecordingIntoTheOneViewAndWritesItsClientArea)
{
    test::TestApplication();
    const CTempFolder folder;
    const std::filesystem::path ini = folder.Path() / "recording.ini";
    WriteText(ini, std::string("[Data Sources]\nDataSource=1\nMeasSource=0\nMeasBFileType=Binary\n"
                                     "MeasBFileName=") + KESTRION_SAMPLES + "/receiver-38400.bin\n"
                          "[Map View]\nLat=48.13743\nLon=11.57549\n");
    // Satellites in the fix are green in the signal view; on the empty sky plot only
    // satellites and the course arrow are red; the map's newest point is a small red circle
    // near the origin, where the recording stands; the statistics view's errors are blue dots.
    const struct {
        int slot;
        Rgb shown;
        int pixels;
    } cases[] = {{0, kFixGreen, 100}, {1, kUnlockedRed, 100}, {2, kUnlockedRed, 4}, {8, kTrackedBlue, 20}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.slot);
        SnapshotRequest request;
        request.slot = c.slot;
        request.out = (folder.Path() / "view.png").string();
        request.ini = ini.string();
        request.width = 500;
        request.height = 400;
        ASSERT_EQ(RunSnapshot(request, {}), 0);
        const QImage image(QString::fromStdString(request.out));
        ASSERT_EQ(image.size(), QSize(500, 400));
        EXPECT_GE(Count(image, c.shown), c.pixels);
    }

    SnapshotRequest unreadable;
    unreadable.slot = 2;
    unreadable.out = (folder.Path() / "map.png").string();
    unreadable.ini = folder.Path().string();
    testing::internal::CaptureStderr();
    EXPECT_EQ(RunSnapshot(unreadable, {}), 2);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Is a directory"), std::string::npos);
}
}  // namespace
}  // namespace kestrion
