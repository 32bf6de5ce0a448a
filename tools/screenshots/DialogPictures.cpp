// dialog-pictures FOLDER: pictures of dialogs for the documentation, PNG files at device pixel
// ratio 2 (data-source-setup.png, data-source-network.png, share-receiver.png,
// low-power-parameters.png, navigation-mode-control.png, tracking-view-configuration.png,
// map-preferences.png). No display is needed.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <QApplication>

#include "PictureUi.h"
#include "WidgetPicture.h"
#include "dialogs/DataSourceSetup.h"
#include "dialogs/LowPowerDialog.h"
#include "dialogs/MapPreferencesDialog.h"
#include "dialogs/NavModeDialog.h"
#include "dialogs/ShareReceiverDialog.h"
#include "dialogs/TrackingViewConfiguration.h"
#include "dialogs/widgets/FormDialog.h"

namespace kestrion {
namespace {

bool Picture(CDialogForm& form, const std::filesystem::path& file)
{
    CFormDialog dialog(form);
    dialog.show();
    QCoreApplication::processEvents();
    return SaveWidgetPicture(dialog, file);
}

// The data source dialogs open on a settings file that does not exist: their first values.
bool WritePictures(const std::filesystem::path& folder)
{
    CPictureUi ui;
    const CProfile noSettings(folder / "no-such-settings.ini");
    bool firstOpening = false;
    CDataSourceSetup dataSources(ui, noSettings, firstOpening, {"/dev/ttyUSB0"}, nullptr);
    CDataSourceSetup network(ui, noSettings, firstOpening, {"/dev/ttyUSB0"}, nullptr);
    network.ChooseRadio(CDataSourceSetup::kMeasSource, CDataSourceSetup::kSerial);
    network.Type(CDataSourceSetup::kMeasPort, "tcp://192.168.1.40:5000");
    CShareReceiverDialog share(ui, "5000", false, {});
    ProtocolState state;
    state.generation = 3;
    CLowPowerDialog lowPower(ui, state);
    CNavModeDialog navMode(ui, 3);
    CTrackingViewConfiguration tracking(ui, Settings{});
    CMapPreferencesDialog map(ui, MapPreferences{});
    return Picture(dataSources, folder / "data-source-setup.png") &&
           Picture(network, folder / "data-source-network.png") && Picture(share, folder / "share-receiver.png") &&
           Picture(lowPower, folder / "low-power-parameters.png") &&
           Picture(navMode, folder / "navigation-mode-control.png") &&
           Picture(tracking, folder / "tracking-view-configuration.png") &&
           Picture(map, folder / "map-preferences.png");
}

}  // namespace
}  // namespace kestrion

int main(int argc, char* argv[])
{
    if (argc != 2 || std::strcmp(argv[1], "-h") == 0 || std::strcmp(argv[1], "--help") == 0) {
        std::fputs("usage: dialog-pictures FOLDER\n", argc != 2 ? stderr : stdout);
        return argc != 2 ? 2 : 0;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    const std::filesystem::path folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return kestrion::WritePictures(folder) ? 0 : 1;
}
