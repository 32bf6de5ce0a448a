// Pictures of dialogs for the documentation: with KESTRION_SCREENSHOTS set, the test writes
// PNG files at device pixel ratio 2 into docs/screenshots of the source tree; otherwise it is
// skipped and writes nothing.
#include <QImage>
#include <QPixmap>
#include <cstdlib>
#include <gtest/gtest.h>

#include "support/QtTestApp.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"
#include "dialogs/DataSourceSetup.h"
#include "dialogs/LowPowerDialog.h"
#include "dialogs/MapPreferencesDialog.h"
#include "dialogs/NavModeDialog.h"
#include "dialogs/ShareReceiverDialog.h"
#include "dialogs/TrackingViewConfiguration.h"
#include "dialogs/widgets/FormDialog.h"

namespace kestrion {
namespace {

constexpr qreal kPixelRatio = 2.0;

std::filesystem::path ScreenshotFolder()
{
    return std::filesystem::path(KESTRION_SAMPLES).parent_path() / "docs" / "screenshots";
}

void Picture(CDialogForm& form, const std::string& name)
{
    CFormDialog dialog(form);
    dialog.show();
    QCoreApplication::processEvents();
    QPixmap picture(dialog.size() * kPixelRatio);
    picture.setDevicePixelRatio(kPixelRatio);
    dialog.render(&picture);
    const std::filesystem::path path = ScreenshotFolder() / (name + ".png");
    ASSERT_TRUE(picture.save(QString::fromStdString(path.string()), "PNG")) << path;
    EXPECT_EQ(QImage(QString::fromStdString(path.string())).width(), dialog.width() * kPixelRatio) << path;
}

TEST(Screenshots, DialogsAtPixelRatioTwo)
{
    if (std::getenv("KESTRION_SCREENSHOTS") == nullptr) {
        GTEST_SKIP() << "set KESTRION_SCREENSHOTS to write the pictures";
    }
    test::TestApplication();
    std::filesystem::create_directories(ScreenshotFolder());
    fakes::CScriptedUi ui;
    CTempFolder folder;
    bool firstOpening = false;
    CDataSourceSetup dataSources(ui, CProfile(folder.Path() / "demo.ini"), firstOpening, {"/dev/ttyUSB0"}, nullptr);
    Picture(dataSources, "data-source-setup");
    CDataSourceSetup network(ui, CProfile(folder.Path() / "demo.ini"), firstOpening, {"/dev/ttyUSB0"}, nullptr);
    network.ChooseRadio(CDataSourceSetup::kMeasSource, CDataSourceSetup::kSerial);
    network.Type(CDataSourceSetup::kMeasPort, "tcp://192.168.1.40:5000");
    Picture(network, "data-source-network");
    CShareReceiverDialog share(ui, "5000", false, {});
    Picture(share, "share-receiver");
    ProtocolState state;
    state.generation = 3;
    CLowPowerDialog lowPower(ui, state);
    Picture(lowPower, "low-power-parameters");
    CNavModeDialog navMode(ui, 3);
    Picture(navMode, "navigation-mode-control");
    CTrackingViewConfiguration tracking(ui, Settings{});
    Picture(tracking, "tracking-view-configuration");
    CMapPreferencesDialog map(ui, MapPreferences{});
    Picture(map, "map-preferences");
}

}  // namespace
}  // namespace kestrion
