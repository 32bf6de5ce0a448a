#include "dialogs/SoftwareSelection.h"

#include <gtest/gtest.h>

namespace kestrion {
namespace {

TEST(SoftwareSelection, OpensOnTheGenerationAndOkSetsIt)
{
    struct Case {
        int generation;
        int family;
        int revision;
        int afterOk;
    };
    for (const Case& c : {Case{-1, 1, 0, 2}, Case{0, 1, 0, 2}, Case{1, 0, 0, 1}, Case{2, 1, 0, 2}, Case{3, 1, 1, 3}}) {
        ProtocolState state;
        state.generation = c.generation;
        CSoftwareSelection dialog(state);
        EXPECT_TRUE(state.selectionDialogOpen);
        EXPECT_EQ(dialog.Family(), c.family) << c.generation;
        EXPECT_EQ(dialog.Revision(), c.revision) << c.generation;
        EXPECT_EQ(dialog.RevisionEnabled(), c.family == CSoftwareSelection::kFamilyTwo);
        dialog.Ok();
        EXPECT_EQ(state.generation, c.afterOk);
        EXPECT_FALSE(state.selectionDialogOpen);
    }
}

TEST(SoftwareSelection, TheCheckBoxSetsTheDetectionFlag)
{
    ProtocolState state;
    CSoftwareSelection dialog(state);
    EXPECT_TRUE(dialog.AutoDetection());
    dialog.ChooseFamily(CSoftwareSelection::kFamilyOne);
    EXPECT_FALSE(dialog.RevisionEnabled());
    dialog.SetAutoDetection(false);
    dialog.Ok();
    EXPECT_EQ(state.generation, 1);
    EXPECT_FALSE(state.versionDetection);
}

TEST(SoftwareSelection, CancelIsRefusedWhileTheGenerationIsUnknown)
{
    ProtocolState state;
    state.generation = 0;
    CSoftwareSelection dialog(state);
    EXPECT_EQ(dialog.Cancel(), "OrvoDemo cannot detect the s/w version.  Please specify one.");
    EXPECT_TRUE(state.selectionDialogOpen);

    state.generation = 3;
    EXPECT_EQ(dialog.Cancel(), "");
    EXPECT_FALSE(state.selectionDialogOpen);
    EXPECT_EQ(state.generation, 3);
}

}  // namespace
}  // namespace kestrion
