#include "gui/Snapshot.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <limits>

#include <QCoreApplication>

#include "app/Engine.h"
#include "app/HeadlessUi.h"
#include "app/PlayDataSource.h"
#include "gui/ViewFactory.h"
#include "gui/ViewPicture.h"
#include "platform/PortDeviceFactory.h"
#include "platform/Settings.h"
#include "transport/StdRandom.h"

namespace kestrion {
namespace {

// A serial port delivers in real time; files and random data play on the virtual clock.
bool ReadsASerialPort(const CProfile& profile)
{
    Settings settings;
    settings.LoadDataSources(profile);
    return settings.dataSource == 1 && (settings.measSource == 1 || (settings.useTrue != 0 && settings.trueSource == 1));
}

}  // namespace

int RunSnapshot(const SnapshotRequest& request, const std::filesystem::path& consoleProfile)
{
    const std::filesystem::path ini = request.ini.empty() ? consoleProfile : std::filesystem::path(request.ini);
    const CProfile profile(ini);
    if (const std::string reason = UnusableReason(profile); !reason.empty()) {
        std::fprintf(stderr, "kestrion-demo: cannot read the settings file %s: %s\n", ini.c_str(), reason.c_str());
        return 2;
    }
    const bool live = ReadsASerialPort(profile);
    if (live && request.seconds == 0) {
        std::fprintf(stderr, "kestrion-demo: the settings %s read a serial port, which plays in real time: give --seconds\n",
                     ini.c_str());
        return 2;
    }
    CLoopTimers timers(live ? CLoopTimers::Mode::Real : CLoopTimers::Mode::Virtual, std::time(nullptr));
    CHeadlessUi ui(stderr);
    ui.SetClock(timers);
    CPortDeviceFactory serialDevices;
    CStdRandom generator;
    CEngine engine{profile, ui, timers, timers, serialDevices, generator};
    timers.SetDispatch(engine.TimerService());
    engine.CreateDocument();

    MadeView made = MakeView(request.slot, engine, ui, {});
    QWidget& view = *made.widget;
    view.setAttribute(Qt::WA_DontShowOnScreen);
    view.resize(request.width, request.height);
    view.show();
    QCoreApplication::processEvents();
    engine.CurrentDocument()->AddView(*made.view);

    const int64_t limitMs = request.seconds > 0 ? timers.ElapsedMs() + int64_t{request.seconds} * 1000
                                                : std::numeric_limits<int64_t>::max();
    PlayDataSource(engine, timers, limitMs, nullptr);
    QCoreApplication::processEvents();
    const std::string error = SaveViewPicture(view, request.out);
    engine.CurrentDocument()->RemoveView(*made.view);
    if (!error.empty()) {
        std::fprintf(stderr, "kestrion-demo: %s\n", error.c_str());
        return 2;
    }
    return 0;
}

}  // namespace kestrion
