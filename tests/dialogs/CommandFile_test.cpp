#include "dialogs/CommandFile.h"

#include <gtest/gtest.h>

#include "support/ScriptedUi.h"
#include "support/TempFolder.h"

namespace kestrion {
namespace {

class CommandFileTest : public ::testing::Test {
protected:
    std::string File(const char* name) const { return (m_folder.Path() / name).string(); }

    CTempFolder m_folder;
    fakes::CScriptedUi m_ui;
    CCommandFile m_file{m_ui};
};

TEST_F(CommandFileTest, LoadJoinsTheLinesWithoutTheirEndsOrSaysWhyItCannot)
{
    for (const auto& [content, text] : {std::pair{"84\n00\n\n", "8400"}, {"84 00\r\n12 34", "84 0012 34"}}) {
        WriteText(File("in.cmd"), content);
        m_ui.files = {File("in.cmd")};
        EXPECT_EQ(m_file.Load(), text);
    }
    EXPECT_EQ(m_ui.choosers.back().title, "Specify a Name for the Command File");
    EXPECT_EQ(m_ui.choosers.back().filter, "Command Files (*.cmd)|*.cmd|All Files (*.*)|*.*||");

    m_ui.files = {File("gone.cmd"), m_folder.Path().string()};
    EXPECT_EQ(m_file.Load(), std::nullopt);
    EXPECT_EQ(m_file.Load(), std::nullopt);
    EXPECT_EQ(m_file.Load(), std::nullopt);  // cancelled
    EXPECT_EQ(m_ui.boxes, (std::vector<std::string>{
                              "Cannot read command file " + File("gone.cmd") + ": No such file or directory",
                              "Cannot read command file " + m_folder.Path().string() + ": Is a directory"}));
    EXPECT_EQ(m_file.Name(), File("in.cmd"));
}

TEST_F(CommandFileTest, ALineWithoutEndIsRefusedBeforeItFillsMemory)
{
    WriteText(File("endless.cmd"), "84 00\n" + std::string(200 * 1024, '1'));
    m_ui.files = {File("endless.cmd")};
    EXPECT_EQ(m_file.Load(), std::nullopt);
    EXPECT_EQ(m_ui.boxes, std::vector<std::string>{"Cannot read command file " + File("endless.cmd") +
                                                   ": line 2: line too long"});
}

TEST_F(CommandFileTest, SaveWritesTheTextOrSaysWhyNot)
{
    m_file.Save("");
    m_file.Save("84 00");  // cancelled
    m_ui.files = {File("out.cmd"), File("no/such/folder.cmd"), "/dev/full"};
    m_file.Save("84 00\n12");
    m_file.Save("84 00");
    m_file.Save("84 00");
    EXPECT_EQ(ReadText(File("out.cmd")), "84 00\n12");
    EXPECT_EQ(m_ui.boxes, (std::vector<std::string>{"Not Saving Empty Command", "Cannot Open Command File!",
                                                    "Cannot write command file /dev/full: No space left on device"}));
    EXPECT_EQ(m_ui.choosers.size(), 4u);
    EXPECT_EQ(m_ui.choosers.back().mode, FileChooser::Mode::Save);
}

}  // namespace
}  // namespace kestrion
