#include "dialogs/LogFileSettings.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "support/ScriptedUi.h"
#include "support/TempFolder.h"

namespace kestrion {
namespace {

using D = CLogFileSettings;

const std::string kQuestion =
    "Kestrion: This file currently exists.  Do you wish to overwrite it, append to it or select another file?";
const std::string kCannotCreate = "Log File can not be created as specified.  Check if path is correct.";

class LogFileSettingsTest : public ::testing::Test {
protected:
    CProfile Profile() const { return CProfile(m_folder.Path() / "demo.ini"); }
    std::string StoredMessages() const { return Profile().GetString("Logging", "Messages", ""); }
    std::vector<std::string> SelectedItems(const D& dialog) const
    {
        const FormControl& list = dialog.Control(D::kMessages);
        std::vector<std::string> items;
        for (size_t item = 0; item < list.items.size(); ++item) {
            if (list.selected[item]) {
                items.push_back(list.items[item]);
            }
        }
        return items;
    }

    CTempFolder m_folder;
    fakes::CScriptedUi m_ui;
};

TEST_F(LogFileSettingsTest, AFreshSettingsFileSelectsNavigationDataOnly)
{
    const D dialog(m_ui, Profile());
    EXPECT_EQ(dialog.Text(D::kFileName), "kestrion.gps");
    const std::vector<std::string>& items = dialog.Control(D::kMessages).items;
    ASSERT_EQ(items.size(), 22u);
    EXPECT_EQ(items.front(), "001  Ref Nav");
    EXPECT_EQ(items[15], "019  Rcvr Params");
    EXPECT_EQ(items[19], "030  Nav Lib:SV State");
    EXPECT_EQ(items.back(), "255  Development");
    EXPECT_EQ(SelectedItems(dialog), std::vector<std::string>{"002  Meas Nav"});
}

TEST_F(LogFileSettingsTest, SelectionsAreStoredByMidAndOtherMidsKeepTheirFlags)
{
    std::string stored(256, '0');
    stored[3] = stored[10] = stored[255] = '1';
    Profile().WriteString("Logging", "Messages", stored);
    Profile().WriteString("Logging", "FileName", (m_folder.Path() / "run.gps").string());
    D dialog(m_ui, Profile());
    EXPECT_EQ(SelectedItems(dialog), (std::vector<std::string>{"010  Error", "255  Development"}));

    dialog.Click(D::kSelectAll);
    EXPECT_EQ(SelectedItems(dialog).size(), 22u);
    dialog.Click(D::kSelectNone);
    dialog.Select(D::kMessages, 1, true);
    dialog.Select(D::kMessages, 8, true);
    ASSERT_TRUE(dialog.Ok());
    std::string expected(256, '0');
    expected[2] = expected[3] = expected[10] = '1';
    EXPECT_EQ(StoredMessages(), expected);
}

TEST_F(LogFileSettingsTest, OkPreparesTheFileOrStaysWithItsMessage)
{
    const std::filesystem::path existing = m_folder.Path() / "old.gps";
    const std::filesystem::path writeOnly = m_folder.Path() / "locked.gps";
    struct Case {
        std::string name;
        int answer;  // to the question about an existing file, -1 when none is asked
        std::string message;
        bool closes;
        std::string content;  // of the file afterwards
    };
    const Case cases[] = {
        {"", -1, "A filename is required for output to a Log File.", false, "old"},
        {existing.string(), D::kReselect, "", false, "old"},
        {existing.string(), D::kOverwrite, "", true, ""},
        {existing.string(), D::kAppend, "", true, "old"},
        // Not readable, but there: still asked about, not emptied behind the user's back.
        {writeOnly.string(), D::kReselect, "", false, "old"},
        {(m_folder.Path() / "new.gps").string(), -1, "", true, ""},
        // The file and the reason follow the text.
        {(m_folder.Path() / "no" / "such.gps").string(), -1,
         kCannotCreate + "\n" + (m_folder.Path() / "no" / "such.gps").string() + ": No such file or directory", false,
         ""},
        {m_folder.Path().string(), -1, kCannotCreate + "\n" + m_folder.Path().string() + ": Is a directory", false, ""},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(Profile().Path());
        WriteText(existing, "old");
        WriteText(writeOnly, "old");
        ::chmod(writeOnly.c_str(), S_IWUSR);
        m_ui.boxes.clear();
        m_ui.choices.clear();
        if (c.answer >= 0) {
            m_ui.choices.push_back(c.answer);
        }
        D dialog(m_ui, Profile());
        dialog.Type(D::kFileName, c.name);
        EXPECT_EQ(dialog.Ok(), c.closes) << c.name;
        std::vector<std::string> boxes;
        if (c.answer >= 0) {
            boxes.push_back(kQuestion);
        }
        if (!c.message.empty()) {
            boxes.push_back(c.message);
        }
        EXPECT_EQ(m_ui.boxes, boxes) << c.name;
        EXPECT_EQ(dialog.Focus(), c.closes ? 0 : int(D::kFileName)) << c.name;
        EXPECT_EQ(Profile().GetString("Logging", "FileName", "none"), c.closes ? c.name : "none") << c.name;
        if (c.closes || c.answer >= 0) {
            ::chmod(c.name.c_str(), S_IRUSR | S_IWUSR);
            EXPECT_EQ(ReadText(c.name), c.content) << c.name;
        }
    }
}

TEST_F(LogFileSettingsTest, TheChooserStartsOnTheTypedNameAndReplacesIt)
{
    D dialog(m_ui, Profile());
    dialog.Type(D::kFileName, "today.gps");
    m_ui.files = {"/logs/run.log"};
    dialog.Click(D::kBrowse);
    dialog.Click(D::kBrowse);
    EXPECT_EQ(dialog.Text(D::kFileName), "/logs/run.log");
    ASSERT_EQ(m_ui.choosers.size(), 2u);
    const FileChooser& chooser = m_ui.choosers.front();
    EXPECT_EQ(std::tuple(chooser.mode, chooser.title, chooser.filter, chooser.defaultName),
              std::tuple(FileChooser::Mode::Save, std::string("Specify a Name for the Log File"),
                         std::string("GPS Files (*.gps)|*.gps|Log Files (*.log)|*.log|All Files (*.*)|*.*||"),
                         std::string("today.gps")));
    EXPECT_EQ(m_ui.choosers.back().defaultName, "/logs/run.log");
}

}  // namespace
}  // namespace kestrion
