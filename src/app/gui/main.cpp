// kestrion-demo: the evaluation console. It takes no arguments; its settings file is
// "kestrion-demo.ini" beside the program, else the user's own.
#include <QApplication>

#include "app/gui/MainFrame.h"
#include "app/gui/SystemClock.h"
#include "app/gui/ToolbarImages.h"
#include "dialogs/LogFileSettings.h"
#include "dialogs/SoftwareSelection.h"
#include "dialogs/widgets/QtUserInterface.h"
#include "transport/StdRandom.h"

int main(int argc, char* argv[])
{
    using namespace kestrion;
    // Fractional scale factors are kept, so the views are drawn at the screen's real density.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    QApplication application(argc, argv);
    QApplication::setApplicationName("kestrion-demo");
    QApplication::setOrganizationName("kestrion-demo");
    QApplication::setApplicationVersion("3.36");
    QGuiApplication::setDesktopFileName("kestrion-demo");
    QApplication::setWindowIcon(ProgramIcon());

    const CProfile profile(FindProfilePath(QCoreApplication::applicationFilePath().toStdString()));
    std::unique_ptr<CMainFrame> frame;
    CQtUserInterface ui(
        [profile](IUserInterface& owner) -> std::unique_ptr<CDialogForm> {
            return std::make_unique<CLogFileSettings>(owner, profile);
        },
        [&frame](IUserInterface& owner) -> std::unique_ptr<CDialogForm> {
            if (!frame) {
                return nullptr;
            }
            return std::make_unique<CSoftwareSelection>(owner, frame->Engine().Services().Protocol());
        });
    CSystemClock clock;
    CStdRandom generator;
    frame = std::make_unique<CMainFrame>(profile, ui, clock, generator);
    frame->Start();
    const int result = QApplication::exec();
    frame.reset();
    return result;
}
