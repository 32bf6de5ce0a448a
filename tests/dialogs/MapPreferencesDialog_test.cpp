#include "dialogs/MapPreferencesDialog.h"

#include <gtest/gtest.h>

#include <tuple>

#include "../platform/ScriptedUi.h"

namespace kestrion {
namespace {

using D = CMapPreferencesDialog;

TEST(MapPreferencesDialog, OpensOnTheCallersValuesOrItsOwnAndGivesTheEditedOnes)
{
    fakes::CScriptedUi ui;
    EXPECT_EQ(D(ui, {}).Text(D::kScale), "10");
    D dialog(ui, {0.5, true, 48.137, -11.5755, {0, 250, 100000}});
    EXPECT_EQ(dialog.Title(), "Preferences");
    EXPECT_EQ(std::vector<std::string>({dialog.Text(D::kScale), dialog.Text(D::kLatitude), dialog.Text(D::kLongitude),
                                        dialog.Text(D::kRing1), dialog.Text(D::kRing1 + 1), dialog.Text(D::kRing1 + 2)}),
              std::vector<std::string>({"0.5", "48.137", "-11.5755", "0", "250", "100000"}));

    dialog.Type(D::kScale, " 0.25");
    dialog.Click(D::kCentre);
    dialog.Type(D::kLatitude, "-33.85");
    dialog.Type(D::kRing1, "10");
    ASSERT_TRUE(dialog.Ok());
    const MapPreferences chosen = dialog.Preferences();
    EXPECT_EQ(std::vector<double>({chosen.scale, chosen.latitude, chosen.longitude}),
              std::vector<double>({0.25, -33.85, -11.5755}));
    EXPECT_FALSE(chosen.centreOnCurrent);
    EXPECT_EQ(chosen.ringRadii, (std::array<int, 3>{10, 250, 100000}));
}

TEST(MapPreferencesDialog, OutOfRangeFieldsAreRefusedWithTheFrameworkTexts)
{
    const std::vector<std::tuple<int, std::string, std::string>> cases = {
        {D::kScale, "0.2", "Please enter a number between 0.25 and 10000."},
        {D::kLatitude, "90.5", "Please enter a number between -90 and 90."},
        {D::kLongitude, "-181", "Please enter a number between -180 and 180."},
        {D::kRing1 + 2, "-1", "Please enter an integer between 0 and 100000."},
    };
    for (const auto& [id, text, message] : cases) {
        fakes::CScriptedUi ui;
        D dialog(ui, {});
        dialog.Type(id, text);
        EXPECT_FALSE(dialog.Ok()) << text;
        EXPECT_EQ(ui.boxes, std::vector<std::string>{message});
        EXPECT_EQ(dialog.Focus(), id);
    }
}

}  // namespace
}  // namespace kestrion
