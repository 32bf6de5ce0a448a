// The console's window on a simulated receiver on a pseudo-terminal, in real time: a poll from
// the menu reaches the receiver and its answer shows in the response view. With
// KESTRION_SCREENSHOTS=<dir> set, pictures of the window with all eight views on live data
// are written to <dir>/main-window.png (binary) and <dir>/nmea-window.png (a multi-GNSS NMEA
// receiver) at device pixel ratio 2, and of a first start with all nine to first-start.png.
#include <gtest/gtest.h>

#include <QMdiArea>
#include <QPixmap>
#include <cstdlib>
#include <functional>

#include "support/LiveReceiver.h"
#include "EventLoop.h"
#include "FrameConsole.h"
#include "VersionPollCheck.h"
#include "gui/ToolbarImages.h"

namespace kestrion::test {
namespace {

// The frame with its data source open on a simulated receiver.
struct CLiveFrame {
    explicit CLiveFrame(const std::string& extraIni = {}, SimConfig config = {})
        : receiver(config), console(LiveReceiverIni(receiver.Path()) + extraIni)
    {
        console.frame->RunCommand(ID_OPEN_DATA_SOURCE);
    }
    CLiveReceiver receiver;
    CFrameConsole console;
};

TEST(LiveFrame, VersionPollFromTheMenuReachesTheReceiverAndItsAnswerIsShown)
{
    CLiveFrame live;
    CheckVersionPollShown(live.console, live.receiver, RunFor, RunUntil);
}

// The map's origin where the simulated receiver starts, as scripts/run.sh writes it.
const char* const kMapAtStart = "[Map View]\nLat=47.376887\nLon=8.541694\nScale=5.00\nRing 1=100\nRing 2=200\nRing 3=400\n";

// Writes the window to the screenshot folder at device pixel ratio 2.
void SaveWindowPicture(CMainFrame& frame, const char* folder, const char* name)
{
    constexpr qreal kPixelRatio = 2.0;
    QPixmap picture(frame.size() * kPixelRatio);
    picture.setDevicePixelRatio(kPixelRatio);
    frame.render(&picture);
    const QString path = QString::fromUtf8(folder) + "/" + name;
    ASSERT_TRUE(picture.save(path, "PNG")) << path.toStdString();
}

// Opens every view but the statistics, lets the receiver run, tiles and writes the window.
void WriteWindowPicture(CLiveFrame& live, const char* folder, const char* name, const std::function<void()>& polls)
{
    QApplication::setWindowIcon(ProgramIcon());
    CMainFrame& frame = *live.console.frame;
    frame.showNormal();
    frame.resize(1600, 1000);
    for (const int id : {ID_VIEW_ERROR, ID_VIEW_DEVELOPMENT, ID_VIEW_RESPONSE, ID_VIEW_NAVIGATION, ID_VIEW_DGPS_STATUS,
                         ID_VIEW_MAP, ID_VIEW_TRACKING, ID_VIEW_SIGNAL}) {
        frame.RunCommand(id);
    }
    RunFor(20000);
    polls();
    RunFor(2500);
    frame.RunCommand(ID_WINDOW_TILE);
    frame.MdiArea().setActiveSubWindow(live.console.View(3));
    RunFor(200);
    SaveWindowPicture(frame, folder, name);
}

TEST(LiveFrame, Screenshot)
{
    const char* folder = std::getenv("KESTRION_SCREENSHOTS");
    if (folder == nullptr) {
        GTEST_SKIP() << "set KESTRION_SCREENSHOTS to a folder to write the picture";
    }
    CLiveFrame live(kMapAtStart);
    WriteWindowPicture(live, folder, "main-window.png", [&live] {
        live.console.frame->RunCommand(ID_POLL_VERSION);
        live.console.frame->RunCommand(ID_POLL_CLOCK);
    });
}

// A first start with all nine views in a 1600 x 1000 window (first-start.png), and the same
// views tiled in a 1280 x 800 one (tile-1280.png).
TEST(LiveFrame, FirstStartScreenshot)
{
    const char* folder = std::getenv("KESTRION_SCREENSHOTS");
    if (folder == nullptr) {
        GTEST_SKIP() << "set KESTRION_SCREENSHOTS to a folder to write the picture";
    }
    QApplication::setWindowIcon(ProgramIcon());
    CLiveFrame live(std::string(kMapAtStart) + "[Main]\nOpenViews=111111111\n");
    CMainFrame& frame = *live.console.frame;
    frame.showNormal();
    frame.setGeometry(0, 0, 1600, 1000);
    frame.RunCommand(ID_DATA_SOURCE_SETUP);
    frame.RunCommand(ID_OPEN_DATA_SOURCE);
    RunFor(20000);
    SaveWindowPicture(frame, folder, "first-start.png");
    frame.resize(1280, 800);
    RunFor(200);
    frame.RunCommand(ID_WINDOW_TILE);
    RunFor(1500);
    SaveWindowPicture(frame, folder, "tile-1280.png");
}

// The simulated receiver of four systems in NMEA 4.11: its sky, signals, track and fix.
TEST(LiveFrame, NmeaScreenshot)
{
    const char* folder = std::getenv("KESTRION_SCREENSHOTS");
    if (folder == nullptr) {
        GTEST_SKIP() << "set KESTRION_SCREENSHOTS to a folder to write the picture";
    }
    SimConfig config;
    config.protocol = SimProtocol::Nmea;
    config.gnss = {SkySystem::Gps, SkySystem::Glonass, SkySystem::Galileo, SkySystem::Beidou};
    CLiveFrame live(kMapAtStart, config);
    WriteWindowPicture(live, folder, "nmea-window.png", [] {});
}

}  // namespace
}  // namespace kestrion::test
