#include "dialogs/SoftwareSelection.h"

#include <gtest/gtest.h>

#include "support/ScriptedUi.h"

namespace kestrion {
namespace {

using Dialog = CSoftwareSelection;

TEST(SoftwareSelection, OpensOnTheGenerationAndOkSetsIt)
{
    struct Case {
        int generation;
        int family;
        int revision;
        int afterOk;
    };
    for (const Case& c : {Case{-1, 1, 0, 2}, Case{0, 1, 0, 2}, Case{1, 0, 0, 1}, Case{2, 1, 0, 2}, Case{3, 1, 1, 3}}) {
        fakes::CScriptedUi ui;
        ProtocolState state;
        state.generation = c.generation;
        Dialog dialog(ui, state);
        EXPECT_TRUE(state.selectionDialogOpen);
        EXPECT_EQ(dialog.Value(Dialog::kFamily), c.family) << c.generation;
        EXPECT_EQ(dialog.Value(Dialog::kRevision), c.revision) << c.generation;
        EXPECT_EQ(dialog.Control(Dialog::kRevision).enabled, c.family == Dialog::kFamilyTwo);
        EXPECT_TRUE(dialog.Ok());
        EXPECT_EQ(state.generation, c.afterOk);
        EXPECT_FALSE(state.selectionDialogOpen);
    }
}

TEST(SoftwareSelection, TheFamilyEnablesTheRevisionsAndTheCheckBoxSetsTheDetectionFlag)
{
    fakes::CScriptedUi ui;
    ProtocolState state;
    Dialog dialog(ui, state);
    EXPECT_TRUE(dialog.Checked(Dialog::kAutoDetection));
    dialog.ChooseRadio(Dialog::kFamily, Dialog::kFamilyOne);
    EXPECT_FALSE(dialog.Control(Dialog::kRevision).enabled);
    dialog.ChooseRadio(Dialog::kFamily, Dialog::kFamilyTwo);
    dialog.ChooseRadio(Dialog::kRevision, Dialog::kRevision21);
    EXPECT_TRUE(dialog.Control(Dialog::kRevision).enabled);
    dialog.Click(Dialog::kAutoDetection);
    EXPECT_TRUE(dialog.Ok());
    EXPECT_EQ(state.generation, 3);
    EXPECT_FALSE(state.versionDetection);
}

TEST(SoftwareSelection, CancelIsRefusedWhileTheGenerationIsUnknown)
{
    fakes::CScriptedUi ui;
    ProtocolState state;
    state.generation = 0;
    Dialog dialog(ui, state);
    dialog.ChooseRadio(Dialog::kFamily, Dialog::kFamilyOne);
    EXPECT_FALSE(dialog.Cancel());
    EXPECT_EQ(ui.boxes, std::vector<std::string>{"OrvoDemo cannot detect the s/w version.  Please specify one."});
    EXPECT_TRUE(state.selectionDialogOpen);

    state.generation = 3;
    EXPECT_TRUE(dialog.Cancel());
    EXPECT_FALSE(state.selectionDialogOpen);
    EXPECT_EQ(state.generation, 3);
    EXPECT_EQ(ui.boxes.size(), 1u);
}

}  // namespace
}  // namespace kestrion
