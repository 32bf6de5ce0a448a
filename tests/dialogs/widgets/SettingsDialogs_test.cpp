// The settings dialogs on screen, driven through their widgets from opening to OK.
#include <QAbstractButton>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "support/QtTestApp.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"
#include "WidgetActions.h"
#include "dialogs/DataSourceSetup.h"
#include "dialogs/LogFileSettings.h"
#include "dialogs/PreferencesDialog.h"
#include "dialogs/widgets/FormDialog.h"

namespace kestrion {
namespace {

class SettingsDialogsTest : public ::testing::Test {
protected:
    void SetUp() override { test::TestApplication(); }

    CProfile Profile() const { return CProfile(m_folder.Path() / "demo.ini"); }
    static QWidget* Field(const CFormDialog& dialog, int id) { return dialog.Widgets().Of(id)->field; }
    static QLineEdit* Edit(const CFormDialog& dialog, int id) { return qobject_cast<QLineEdit*>(Field(dialog, id)); }
    static QAbstractButton* Radio(const CFormDialog& dialog, int id, int button)
    {
        return dialog.Widgets().Of(id)->buttons->button(button);
    }
    static void Retype(QLineEdit* edit, const QString& text)
    {
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    static void Open(CFormDialog& dialog) { ASSERT_TRUE(test::ShowDialog(dialog)); }

    CTempFolder m_folder;
    fakes::CScriptedUi m_ui;
};

TEST_F(SettingsDialogsTest, DataSourceSetupFromTheFirstOpeningToAMeasuredFile)
{
    using D = CDataSourceSetup;
    bool firstOpening = true;
    int titles = 0;
    D form(m_ui, Profile(), firstOpening, {}, [&] { ++titles; });
    CFormDialog dialog(form);
    Open(dialog);
    EXPECT_FALSE(dialog.CancelButton()->isEnabled());
    EXPECT_FALSE(Edit(dialog, D::kMeasFile)->isEnabled());
    EXPECT_FALSE(Field(dialog, D::kMeasFormat)->isEnabled());

    // Without a port on the machine the dialog opens on random data.
    EXPECT_TRUE(Radio(dialog, D::kDataSource, D::kRandom)->isChecked());
    test::ClickBox(Radio(dialog, D::kDataSource, D::kSupplied));
    test::ClickBox(Radio(dialog, D::kMeasSource, D::kFile));
    ASSERT_TRUE(Edit(dialog, D::kMeasFile)->isEnabled());
    EXPECT_FALSE(Field(dialog, D::kMeasPort)->isEnabled());
    const std::string missing = (m_folder.Path() / "none.bin").string();
    QTest::keyClicks(Edit(dialog, D::kMeasFile), QString::fromStdString(missing));
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(m_ui.boxes, std::vector<std::string>{"A problem occurred with opening the specified file.\n" + missing +
                                                   ": No such file or directory"});
    EXPECT_EQ(dialog.focusWidget(), Edit(dialog, D::kMeasFile));

    const std::string recorded = (m_folder.Path() / "drive.bin").string();
    WriteText(recorded, "\xA0\xA2");
    Retype(Edit(dialog, D::kMeasFile), QString::fromStdString(recorded));
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(titles, 2);
    Settings saved;
    saved.LoadDataSources(Profile());
    EXPECT_EQ(std::tuple(saved.measSource, saved.measFileName), std::tuple(0, recorded));
}

TEST_F(SettingsDialogsTest, LogFileSettingsFromAnEmptyNameToTheChosenMessages)
{
    using D = CLogFileSettings;
    D form(m_ui, Profile());
    CFormDialog dialog(form);
    Open(dialog);
    Edit(dialog, D::kFileName)->selectAll();
    QTest::keyClick(Edit(dialog, D::kFileName), Qt::Key_Delete);
    QTest::keyClick(Edit(dialog, D::kFileName), Qt::Key_Return);
    EXPECT_EQ(m_ui.boxes, std::vector<std::string>{"A filename is required for output to a Log File."});
    EXPECT_EQ(dialog.focusWidget(), Edit(dialog, D::kFileName));

    const std::string log = (m_folder.Path() / "drive.gps").string();
    QTest::keyClicks(Edit(dialog, D::kFileName), QString::fromStdString(log));
    QTest::mouseClick(qobject_cast<QPushButton*>(Field(dialog, D::kSelectNone)), Qt::LeftButton);
    auto* list = qobject_cast<QListWidget*>(Field(dialog, D::kMessages));
    EXPECT_TRUE(list->selectedItems().isEmpty());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(std::filesystem::exists(log));
    const std::string messages = Profile().GetString("Logging", "Messages", "");
    ASSERT_EQ(messages.size(), 256u);
    EXPECT_EQ(messages.find('1'), 1u);
    EXPECT_EQ(messages.rfind('1'), 1u);
}

TEST_F(SettingsDialogsTest, PreferencesRefuseASmallScaleThenSave)
{
    using D = CPreferencesDialog;
    D form(m_ui, Profile());
    CFormDialog dialog(form);
    Open(dialog);
    EXPECT_TRUE(Edit(dialog, D::kTimerDelay)->isHidden());
    EXPECT_TRUE(dialog.Widgets().Of(D::kTimerDelay)->label->isHidden());
    EXPECT_TRUE(Field(dialog, D::kFileTimer)->isHidden());
    EXPECT_EQ(dialog.OkButton()->text(), "Save");

    Retype(Edit(dialog, D::kScale), "0.2");
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(m_ui.boxes, std::vector<std::string>{"Please enter a number between 0.25 and 10000."});
    EXPECT_EQ(dialog.focusWidget(), Edit(dialog, D::kScale));

    QTest::keyClicks(Edit(dialog, D::kScale), "25");
    test::ClickBox(Radio(dialog, D::kGraphType, 1));
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    Settings saved;
    saved.LoadMapView(Profile());
    saved.LoadSignalView(Profile());
    EXPECT_EQ(std::tuple(saved.mapScale, saved.signalGraphType), std::tuple(25.0, 1));
}

}  // namespace
}  // namespace kestrion
