// Every dialog of the program is at least as wide as its title needs, with the longest title
// it can have ("...: Current" when the receiver's values are shown), and opens centred on the
// window it belongs to.
#include <gtest/gtest.h>

#include <QFont>
#include <QMainWindow>
#include <QFontMetrics>
#include <QStyle>
#include <memory>

#include "support/QtTestApp.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"
#include "dialogs/DataSourceSetup.h"
#include "dialogs/DgpsModeDialog.h"
#include "dialogs/DgpsSourceDialog.h"
#include "dialogs/DopMaskDialog.h"
#include "dialogs/ElevationMaskDialog.h"
#include "dialogs/ErrorFilterDialog.h"
#include "dialogs/LogFileSettings.h"
#include "dialogs/LowPowerDialog.h"
#include "dialogs/MapPreferencesDialog.h"
#include "dialogs/MessageRateDialog.h"
#include "dialogs/NavModeDialog.h"
#include "dialogs/NmeaSwitchDialog.h"
#include "dialogs/OperatingModeDialog.h"
#include "dialogs/PowerMaskDialog.h"
#include "dialogs/PreferencesDialog.h"
#include "dialogs/ReceiverInitDialog.h"
#include "dialogs/RelayPortDialog.h"
#include "dialogs/SendDataDialog.h"
#include "dialogs/SerialPortDialog.h"
#include "dialogs/SoftwareSelection.h"
#include "dialogs/StaticNavDialog.h"
#include "dialogs/TrackingViewConfiguration.h"
#include "dialogs/UartConfigDialog.h"
#include "dialogs/widgets/FormDialog.h"

namespace kestrion {
namespace {

TEST(DialogTitles, EveryDialogIsAtLeastAsWideAsItsTitle)
{
    test::TestApplication();
    fakes::CScriptedUi ui;
    CTempFolder folder;
    const CProfile profile(folder.Path() / "demo.ini");
    bool firstOpening = true;
    ProtocolState state;
    state.generation = 3;
    const std::vector<uint8_t> values(64, 1);  // present: the titles end in ": Current"
    const CCurrentValues current(values);
    SendDataMemory memory;

    std::vector<std::unique_ptr<CDialogForm>> forms;
    forms.push_back(std::make_unique<CDataSourceSetup>(ui, profile, firstOpening, std::vector<std::string>{}, nullptr));
    forms.push_back(std::make_unique<CDgpsModeDialog>(ui, 3, current));
    forms.push_back(std::make_unique<CDgpsSourceDialog>(ui, 3, current));
    forms.push_back(std::make_unique<CDopMaskDialog>(ui, 3, current));
    forms.push_back(std::make_unique<CElevationMaskDialog>(ui, 3, current));
    forms.push_back(std::make_unique<CErrorFilterDialog>(ui, ErrorFilter{}));
    forms.push_back(std::make_unique<CLogFileSettings>(ui, profile));
    forms.push_back(std::make_unique<CLowPowerDialog>(ui, state, current, current));
    forms.push_back(std::make_unique<CMapPreferencesDialog>(ui, MapPreferences{}));
    forms.push_back(std::make_unique<CMessageRateDialog>(ui));
    forms.push_back(std::make_unique<CNavModeDialog>(ui, 3, current));
    forms.push_back(std::make_unique<CNmeaSwitchDialog>(ui, 3));
    forms.push_back(std::make_unique<COperatingModeDialog>(ui));
    forms.push_back(std::make_unique<CPowerMaskDialog>(ui, 3, current));
    forms.push_back(std::make_unique<CPreferencesDialog>(ui, profile));
    forms.push_back(std::make_unique<CReceiverInitDialog>(ui, 3, profile));
    forms.push_back(std::make_unique<CRelayPortDialog>(ui));
    forms.push_back(std::make_unique<CSendDataDialog>(ui, memory));
    forms.push_back(std::make_unique<CSerialPortDialog>(ui, 3, CSerialPortDialog::Variant::Main, Settings{}));
    forms.push_back(std::make_unique<CSerialPortDialog>(ui, 3, CSerialPortDialog::Variant::Dgps, Settings{}));
    forms.push_back(std::make_unique<CSoftwareSelection>(ui, state));
    forms.push_back(std::make_unique<CStaticNavDialog>(ui, 3, current));
    forms.push_back(std::make_unique<CTrackingViewConfiguration>(ui, Settings{}));
    forms.push_back(std::make_unique<CUartConfigDialog>(ui, 3));

    for (const auto& form : forms) {
        CFormDialog dialog(*form);
        dialog.show();
        const QString title = dialog.windowTitle();
        ASSERT_FALSE(title.isEmpty());
        // The title bar: the title in bold, and the icon and three buttons about as wide as
        // the bar is high.
        QFont bold = dialog.font();
        bold.setBold(true);
        const int bar = dialog.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &dialog);
        EXPECT_GE(dialog.width(), QFontMetrics(bold).horizontalAdvance(title) + 4 * bar) << title.toStdString();
        dialog.hide();
    }
}

TEST(DialogTitles, ADialogOpensCentredOnItsOwner)
{
    test::TestApplication();
    fakes::CScriptedUi ui;
    QMainWindow owner;
    owner.setGeometry(300, 150, 1024, 720);
    owner.show();
    CErrorFilterDialog form(ui, ErrorFilter{});
    CFormDialog dialog(form, &owner);
    dialog.show();
    const QPoint offset = dialog.frameGeometry().center() - owner.frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 2) << offset.x() << "," << offset.y();
}

}  // namespace
}  // namespace kestrion
