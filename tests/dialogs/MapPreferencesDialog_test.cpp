#include "dialogs/MapPreferencesDialog.h"

#include <gtest/gtest.h>

#include <tuple>

#include "support/ScriptedUi.h"

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

TEST(MapPreferencesDialog, UseCurrentPositionFillsTheOriginAndNamesTheReference)
{
    fakes::CScriptedUi ui;
    D without(ui, {});
    EXPECT_FALSE(without.Control(D::kUseCurrent).enabled);
    without.Click(D::kUseCurrent);
    EXPECT_FALSE(without.Reference().has_value());

    D dialog(ui, {.latitude = 1, .longitude = 2, .cepCircles = true}, FixPosition{47.3768871234, 8.5416944321, 430.26});
    EXPECT_TRUE(dialog.Checked(D::kCepCircles));
    EXPECT_FALSE(dialog.Control(D::kReference).visible);
    ASSERT_TRUE(dialog.Control(D::kUseCurrent).enabled);
    dialog.Click(D::kUseCurrent);
    EXPECT_EQ(dialog.Text(D::kLatitude), "47.376887");
    EXPECT_EQ(dialog.Text(D::kLongitude), "8.541694");
    EXPECT_TRUE(dialog.Control(D::kReference).visible);
    EXPECT_EQ(dialog.Text(D::kReference), "Statistics reference: 47.376887, 8.541694, 430.3 m");
    dialog.Click(D::kCepCircles);
    ASSERT_TRUE(dialog.Ok());
    EXPECT_FALSE(dialog.Preferences().cepCircles);
    EXPECT_DOUBLE_EQ(dialog.Preferences().latitude, 47.376887);
    // The reference keeps the fix's full precision.
    ASSERT_TRUE(dialog.Reference().has_value());
    EXPECT_DOUBLE_EQ(dialog.Reference()->latitude, 47.3768871234);
    EXPECT_DOUBLE_EQ(dialog.Reference()->height, 430.26);
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
