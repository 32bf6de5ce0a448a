// window-pictures FOLDER [PICTURE...]: the console's window on a simulated receiver in real
// time, as the documentation shows it. PICTURE is main-window (the eight receiver views on the
// binary receiver, main-window.png), nmea-window (a four-system NMEA 4.11 receiver),
// first-start (all nine views as a first start lays them out in 1600 x 1000, first-start.png,
// then tiled in 1280 x 800, tile-1280.png) or network-window (a receiver on TCP, recorded and
// shared); all of them when none is named. No display is needed.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <functional>
#include <map>

#include <QApplication>
#include <QMdiArea>

#include "LiveWindow.h"
#include "WidgetPicture.h"
#include "dialogs/ShareReceiverDialog.h"
#include "gui/ToolbarImages.h"
#include "gui/ViewFrame.h"

namespace kestrion {
namespace {

// The map's origin where the simulated receiver starts, as scripts/run.sh writes it.
constexpr const char* kMapAtStart =
    "[Map View]\nLat=47.376887\nLon=8.541694\nScale=5.00\nRing 1=100\nRing 2=200\nRing 3=400\n";

// Opens every view but the statistics, lets the receiver run, tiles and writes the window.
bool EightViews(CLiveWindow& live, const std::filesystem::path& file, const std::function<void()>& polls)
{
    CMainFrame& frame = live.Frame();
    frame.showNormal();
    frame.resize(1600, 1000);
    for (const int id : {ID_VIEW_ERROR, ID_VIEW_DEVELOPMENT, ID_VIEW_RESPONSE, ID_VIEW_NAVIGATION, ID_VIEW_DGPS_STATUS,
                         ID_VIEW_MAP, ID_VIEW_TRACKING, ID_VIEW_SIGNAL}) {
        frame.RunCommand(id);
    }
    CLiveWindow::RunFor(20000);
    polls();
    CLiveWindow::RunFor(2500);
    frame.RunCommand(ID_WINDOW_TILE);
    frame.MdiArea().setActiveSubWindow(frame.ViewFrame(3));
    CLiveWindow::RunFor(200);
    return SaveWidgetPicture(frame, file);
}

bool MainWindow(const std::filesystem::path& folder)
{
    CLiveWindow live(kMapAtStart);
    return EightViews(live, folder / "main-window.png", [&live] {
        live.Frame().RunCommand(ID_POLL_VERSION);
        live.Frame().RunCommand(ID_POLL_CLOCK);
    });
}

bool NmeaWindow(const std::filesystem::path& folder)
{
    SimConfig config;
    config.protocol = SimProtocol::Nmea;
    config.gnss = {SkySystem::Gps, SkySystem::Glonass, SkySystem::Galileo, SkySystem::Beidou};
    CLiveWindow live(kMapAtStart, config);
    return EightViews(live, folder / "nmea-window.png", [] {});
}

bool FirstStart(const std::filesystem::path& folder)
{
    CLiveWindow live(std::string(kMapAtStart) + "[Main]\nOpenViews=111111111\n");
    CMainFrame& frame = live.Frame();
    frame.showNormal();
    frame.setGeometry(0, 0, 1600, 1000);
    frame.RunCommand(ID_DATA_SOURCE_SETUP);
    frame.RunCommand(ID_OPEN_DATA_SOURCE);
    CLiveWindow::RunFor(20000);
    if (!SaveWidgetPicture(frame, folder / "first-start.png")) {
        return false;
    }
    frame.resize(1280, 800);
    CLiveWindow::RunFor(200);
    frame.RunCommand(ID_WINDOW_TILE);
    CLiveWindow::RunFor(1500);
    return SaveWidgetPicture(frame, folder / "tile-1280.png");
}

// A TCP connection to the port of "tcp://127.0.0.1:PORT" that never reads; -1 on failure.
int ConnectLoopback(const std::string& address)
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_port = htons(static_cast<uint16_t>(std::atoi(address.substr(address.rfind(':') + 1).c_str())));
    peer.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (fd >= 0 && connect(fd, reinterpret_cast<const sockaddr*>(&peer), sizeof peer) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

// Recording to roof.bin and shared with one client, as the status bar says; three views tiled,
// at the screen's density.
bool NetworkWindow(const std::filesystem::path& folder)
{
    CLiveWindow live({}, {}, CSimulatedReceiver::Link::Tcp);
    CMainFrame& frame = live.Frame();
    live.Ui().files.push_back(live.File("roof.bin").string());
    frame.RunCommand(ID_RECORD_RAW_DATA);
    live.Ui().dialogScript = [](CDialogForm& dialog) {
        dialog.Type(CShareReceiverDialog::kAddress, "tcp://127.0.0.1:0");
        return dialog.Ok();
    };
    frame.RunCommand(ID_SHARE_RECEIVER);
    const int client = ConnectLoopback(frame.Engine().Streams().SharingAddress());
    for (int wait = 0; wait < 100 && frame.Engine().Streams().SharingClients() == 0; ++wait) {
        CLiveWindow::RunFor(50);
    }
    frame.resize(1280, 800);
    for (const int id : {ID_VIEW_NAVIGATION, ID_VIEW_ERROR, ID_VIEW_SIGNAL}) {
        frame.RunCommand(id);
    }
    CLiveWindow::RunFor(5000);
    frame.RunCommand(ID_WINDOW_TILE);
    CLiveWindow::RunFor(200);
    const std::filesystem::path file = folder / "network-window.png";
    const bool saved = frame.grab().save(QString::fromStdString(file.string()), "PNG");
    std::printf("%s\n", file.c_str());
    if (client >= 0) {
        close(client);
    }
    if (frame.Engine().Streams().SharingClients() != 1) {
        std::fprintf(stderr, "network-window: the client was not seen\n");
        return false;
    }
    return saved;
}

}  // namespace
}  // namespace kestrion

int main(int argc, char* argv[])
{
    using namespace kestrion;
    const std::map<std::string, std::function<bool(const std::filesystem::path&)>> pictures = {
        {"main-window", MainWindow}, {"nmea-window", NmeaWindow}, {"first-start", FirstStart},
        {"network-window", NetworkWindow}};
    if (argc < 2 || std::strcmp(argv[1], "-h") == 0 || std::strcmp(argv[1], "--help") == 0) {
        std::fputs("usage: window-pictures FOLDER [main-window|nmea-window|first-start|network-window]...\n",
                   argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    std::vector<std::string> names(argv + 2, argv + argc);
    if (names.empty()) {
        for (const auto& [name, picture] : pictures) {
            names.push_back(name);
        }
    }
    for (const std::string& name : names) {
        if (!pictures.contains(name)) {
            std::fprintf(stderr, "window-pictures: unknown picture %s\n", name.c_str());
            return 2;
        }
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    QApplication::setWindowIcon(ProgramIcon());
    const std::filesystem::path folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    try {
        for (const std::string& name : names) {
            if (!pictures.at(name)(folder)) {
                return 1;
            }
        }
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "window-pictures: %s\n", failure.what());
        return 1;
    }
    return 0;
}
