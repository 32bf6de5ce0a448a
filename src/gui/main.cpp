// kestrion-demo: the evaluation console. Its settings file is "kestrion-demo.ini" beside the
// program, else the user's own. With --snapshot it writes one view's picture and exits.
#include <cstdio>
#include <cstdlib>

#include <QApplication>

#include "gui/ConsoleCommandLine.h"
#include "gui/MainFrame.h"
#include "gui/Snapshot.h"
#include "gui/SystemClock.h"
#include "gui/ToolbarImages.h"
#include "dialogs/widgets/QtUserInterface.h"
#include "platform/PortDeviceFactory.h"
#include "platform/Version.h"
#include "transport/StdRandom.h"

namespace {

std::filesystem::path ConsoleProfile()
{
    return kestrion::FindProfilePath(QCoreApplication::applicationFilePath().toStdString());
}

int RunConsole()
{
    using namespace kestrion;
    QApplication::setWindowIcon(ProgramIcon());
    const CProfile profile(ConsoleProfile());
    std::unique_ptr<CMainFrame> frame;
    CQtUserInterface ui;
    profile.SetFailureReport([&ui](const std::string& message) { ui.MessageBox(message, BoxButtons::Ok, BoxIcon::Error); });
    if (const std::string reason = profile.ReadError(); !reason.empty()) {
        ui.MessageBox("Cannot read the settings file " + profile.Path().string() + ": " + reason +
                          "\n\nThe console starts with its default settings and cannot save them.",
                      BoxButtons::Ok, BoxIcon::Warning);
    }
    CSystemClock clock;
    CPortDeviceFactory serialDevices;
    CStdRandom generator;
    frame = std::make_unique<CMainFrame>(profile, ui, clock, serialDevices, generator);
    frame->Start();
    const int result = QApplication::exec();
    frame.reset();
    return result;
}

}  // namespace

int main(int argc, char* argv[])
{
    using namespace kestrion;
    const ConsoleCommandLine line = ParseConsoleCommandLine({argv + 1, argv + argc});
    switch (line.action) {
    case ConsoleCommandLine::Action::Help:
        std::fputs(kConsoleUsage, stdout);
        std::fputs(kConsoleHelp, stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    case ConsoleCommandLine::Action::Version: std::puts("kestrion-demo " KESTRION_VERSION); return 0;
    case ConsoleCommandLine::Action::Error:
        std::fprintf(stderr, "kestrion-demo: %s\n", line.error.c_str());
        std::fputs(kConsoleUsage, stderr);
        return 2;
    case ConsoleCommandLine::Action::Snapshot:
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        break;
    case ConsoleCommandLine::Action::Console: break;
    }

    // Fractional scale factors are kept, so the views are drawn at the screen's real density.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    QApplication application(argc, argv);
    QApplication::setApplicationName("kestrion-demo");
    QApplication::setOrganizationName("kestrion-demo");
    QApplication::setApplicationVersion(KESTRION_VERSION);
    QGuiApplication::setDesktopFileName("kestrion-demo");
    if (line.action == ConsoleCommandLine::Action::Snapshot) {
        return RunSnapshot(line.snapshot, ConsoleProfile());
    }
    return RunConsole();
}
