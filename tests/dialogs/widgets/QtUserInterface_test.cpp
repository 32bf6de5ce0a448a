// The parts the Qt user interface is made of: file filters and dialogs, message boxes, questions
// and the pause of the wait cursor.
#include "dialogs/widgets/MessageBoxes.h"

#include <sys/stat.h>

#include <functional>

#include <QAbstractButton>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMainWindow>
#include <QTimer>
#include <QPushButton>
#include <gtest/gtest.h>

#include "support/QtTestApp.h"
#include "support/TempFolder.h"
#include "dialogs/widgets/CursorPause.h"
#include "dialogs/widgets/FileChoosing.h"
#include "dialogs/widgets/FileFilter.h"
#include "dialogs/widgets/QtUserInterface.h"

namespace kestrion {
namespace {

class QtUserInterfaceTest : public ::testing::Test {
protected:
    void SetUp() override { test::TestApplication(); }
};

TEST(FileFilter, ModelFiltersBecomeQtFiltersWithEachPatternOnce)
{
    const std::pair<const char*, const char*> cases[] = {
        {"Truth Files (*.pos)|*.pos|All Files (*.*)|*.*||", "Truth Files (*.pos);;All Files (*)"},
        {"GPS Files (*.gps)|*.gps|Log Files (*.log)|*.log|All Files (*.*)|*.*||",
         "GPS Files (*.gps);;Log Files (*.log);;All Files (*)"},
        {"Command Files|*.cmd||", "Command Files (*.cmd)"},
        {"Tables (*.alm; *.eph)|*.alm;*.eph;*.alm||", "Tables (*.alm *.eph)"},
        // Parentheses without patterns belong to the name.
        {"Data (recorded)|*.bin||", "Data (recorded) (*.bin)"},
        {"Almanac|*.alm", "Almanac (*.alm)"},
        {"(*.txt)|*.txt||", "(*.txt)"},
        {"No Patterns||All|*||", ""},
        {"Dangling", ""},
        {"", ""},
    };
    for (const auto& [filter, qt] : cases) {
        EXPECT_EQ(QtFileFilter(filter).toStdString(), qt) << filter;
    }
}

TEST_F(QtUserInterfaceTest, FileDialogsLoadExistingFilesOrSaveWithTheOverwriteQuestion)
{
    for (const FileChooser::Mode mode : {FileChooser::Mode::Load, FileChooser::Mode::Save}) {
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        SetUpFileDialog(dialog, {mode, "Specify a Name for the Log File",
                                 "GPS Files (*.gps)|*.gps|All Files (*.*)|*.*||", "/tmp/kestrion.gps"});
        const bool load = mode == FileChooser::Mode::Load;
        EXPECT_EQ(dialog.windowTitle(), "Specify a Name for the Log File");
        EXPECT_EQ(dialog.acceptMode(), load ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
        EXPECT_EQ(dialog.fileMode(), load ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        EXPECT_FALSE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
        EXPECT_EQ(dialog.nameFilters(), QStringList({"GPS Files (*.gps)", "All Files (*)"}));
        EXPECT_EQ(dialog.selectedFiles(), QStringList{"/tmp/kestrion.gps"});
    }
}

TEST(FileChoosing, PathsThatWillNotDoAreExplained)
{
    CTempFolder folder;
    const QString existing = QString::fromStdString((folder.Path() / "old.gps").string());
    const QString readOnly = QString::fromStdString((folder.Path() / "kept.gps").string());
    const QString missing = QString::fromStdString((folder.Path() / "new.gps").string());
    const QString nowhere = QString::fromStdString((folder.Path() / "no" / "new.gps").string());
    WriteText(existing.toStdString(), "x");
    WriteText(readOnly.toStdString(), "x");
    ::chmod(readOnly.toLocal8Bit().constData(), S_IRUSR);
    using M = FileChooser::Mode;
    const std::tuple<M, QString, QString> cases[] = {
        {M::Load, existing, ""},
        {M::Load, missing, missing + "\nFile not found.\nCheck the file name and try again."},
        {M::Load, QString::fromStdString(folder.Path().string()),
         QString::fromStdString(folder.Path().string()) + "\nFile not found.\nCheck the file name and try again."},
        {M::Save, existing, ""},
        {M::Save, missing, ""},
        {M::Save, nowhere, nowhere + "\nPath does not exist.\nCheck the path and try again."},
        {M::Save, readOnly, readOnly + "\nThis file is set to read-only.\nTry again with a different file name."},
    };
    for (const auto& [mode, path, problem] : cases) {
        EXPECT_EQ(FileProblem(mode, path), problem) << path.toStdString();
    }
}

TEST_F(QtUserInterfaceTest, MessageBoxesCarryTheApplicationTitleIconAndButtons)
{
    using B = QMessageBox;
    const std::tuple<BoxButtons, BoxIcon, B::StandardButtons, B::Icon> cases[] = {
        {BoxButtons::Ok, BoxIcon::Warning, B::Ok, B::Warning},
        {BoxButtons::YesNo, BoxIcon::Question, B::Yes | B::No, B::Question},
        {BoxButtons::YesNoCancel, BoxIcon::Information, B::Yes | B::No | B::Cancel, B::Information},
        {BoxButtons::Ok, BoxIcon::Error, B::Ok, B::Critical},
        {BoxButtons::Ok, BoxIcon::None, B::Ok, B::NoIcon},
    };
    for (const auto& [buttons, icon, qtButtons, qtIcon] : cases) {
        const auto box = MakeMessageBox("Log File can not be created <here>.", buttons, icon, nullptr);
        EXPECT_EQ(box->windowTitle(), "Kestrion Demo");
        EXPECT_EQ(box->text(), "Log File can not be created <here>.");
        EXPECT_EQ(box->textFormat(), Qt::PlainText);
        EXPECT_EQ(box->standardButtons(), qtButtons);
        EXPECT_EQ(box->icon(), qtIcon);
        EXPECT_EQ(box->defaultButton(), box->button(buttons == BoxButtons::Ok ? B::Ok : B::Yes));
    }
}

TEST(MessageBoxes, ClosingWithoutAButtonGivesTheSafeAnswer)
{
    using B = QMessageBox;
    const std::tuple<B::StandardButton, BoxButtons, BoxAnswer> cases[] = {
        {B::Ok, BoxButtons::Ok, BoxAnswer::Ok},
        {B::Yes, BoxButtons::YesNo, BoxAnswer::Yes},
        {B::No, BoxButtons::YesNoCancel, BoxAnswer::No},
        {B::Cancel, BoxButtons::YesNoCancel, BoxAnswer::Cancel},
        {B::NoButton, BoxButtons::Ok, BoxAnswer::Ok},
        {B::NoButton, BoxButtons::YesNo, BoxAnswer::No},
        {B::NoButton, BoxButtons::YesNoCancel, BoxAnswer::Cancel},
    };
    for (const auto& [clicked, buttons, answer] : cases) {
        EXPECT_EQ(AnswerOf(clicked, buttons), answer) << clicked;
    }
}

TEST_F(QtUserInterfaceTest, QuestionsKeepTheirTitleAndButtonOrderAndEscapeTakesTheLast)
{
    const auto box = MakeQuestionBox("Kestrion", "This file currently exists.", {"&Overwrite", "&Append", "&Reselect"},
                                     nullptr);
    EXPECT_EQ(box->windowTitle(), "Kestrion");
    EXPECT_EQ(box->icon(), QMessageBox::Question);
    const QList<QAbstractButton*> buttons = box->buttons();
    ASSERT_EQ(buttons.size(), 3);
    EXPECT_EQ(buttons[1]->text(), "&Append");
    EXPECT_EQ(box->defaultButton(), buttons[0]);
    EXPECT_EQ(box->escapeButton(), buttons[2]);
    EXPECT_EQ(ChosenButton(*box), 2);
    buttons[1]->click();
    EXPECT_EQ(ChosenButton(*box), 1);
    EXPECT_EQ(MakeQuestionBox("", "Sure?", {"&Yes"}, nullptr)->windowTitle(), "Kestrion Demo");
}

TEST_F(QtUserInterfaceTest, BoxesAndDialogsOpenOverTheMainWindowBeforeItIsActive)
{
    CQtUserInterface ui;
    CDialogForm form(ui, "Data Source Setup", "OK");
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"message box", [&] { ui.MessageBox("Sure?", BoxButtons::Ok, BoxIcon::None); }},
        {"question", [&] { ui.Ask("Kestrion", "Which?", {"&One", "&Two"}); }},
        {"dialog", [&] { ui.RunDialog(form); }},
    };
    for (const auto& [name, open] : cases) {
        // Shown, but the window system has not activated it yet, as at start-up.
        QMainWindow main;
        main.show();
        ASSERT_EQ(QApplication::activeWindow(), nullptr) << name;
        QWidget* owner = nullptr;
        QTimer::singleShot(0, [&owner] {
            QWidget* modal = QApplication::activeModalWidget();
            owner = modal->parentWidget();
            modal->close();
        });
        open();
        EXPECT_EQ(owner, &main) << name;
    }
}

TEST_F(QtUserInterfaceTest, WaitCursorsAreDownWhileTheUserAnswersAndBackAfter)
{
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    {
        const CCursorPause pause;
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QGuiApplication::restoreOverrideCursor();
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::BusyCursor);
    QGuiApplication::restoreOverrideCursor();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace kestrion
