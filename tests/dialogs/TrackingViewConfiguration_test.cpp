#include "dialogs/TrackingViewConfiguration.h"

#include <gtest/gtest.h>

#include "support/ScriptedUi.h"

namespace kestrion {
namespace {

using D = CTrackingViewConfiguration;

Settings Opening(int orientation, double velocity, int position)
{
    Settings settings;
    settings.radarOrientation = orientation;
    settings.radarVelocityRadius = velocity;
    settings.radarPositionRadius = position;
    return settings;
}

TEST(TrackingViewConfiguration, OpensOnTheCallersValuesWithThePositionFixed)
{
    fakes::CScriptedUi ui;
    const D dialog(ui, Opening(1, 7.25, 50));
    EXPECT_EQ(dialog.Title(), "Tracking View Configuration");
    EXPECT_EQ(dialog.Text(D::kVelocity), "7.25");
    EXPECT_EQ(dialog.Text(D::kPosition), "50");
    EXPECT_EQ(dialog.Value(D::kOrientation), 1);
    EXPECT_EQ(dialog.Control(D::kOrientation).items, (std::vector<std::string>{"&North Up", "&Heading Up"}));
    EXPECT_TRUE(dialog.Control(D::kVelocity).enabled);
    EXPECT_FALSE(dialog.Control(D::kPosition).enabled);
    EXPECT_EQ(dialog.Control(D::kPosition).label, "Outer circle position:");

    // A stored position the user could not correct opens at the nearest bound.
    EXPECT_EQ(D(ui, Opening(0, 4, 1)).Text(D::kPosition), "2");
    EXPECT_EQ(D(ui, Opening(0, 4, 9000)).Text(D::kPosition), "2000");
}

TEST(TrackingViewConfiguration, OkGivesBackTheValuesWithinTheirRanges)
{
    fakes::CScriptedUi ui;
    D dialog(ui, Opening(0, 4, 20));
    dialog.Type(D::kVelocity, "0.01");
    dialog.ChooseRadio(D::kOrientation, 1);
    ASSERT_TRUE(dialog.Ok());
    Settings read;
    dialog.ReadInto(read);
    EXPECT_EQ(read.radarVelocityRadius, 0.01);
    EXPECT_EQ(read.radarPositionRadius, 20);
    EXPECT_EQ(read.radarOrientation, 1);

    const std::vector<std::pair<std::string, std::string>> refused = {
        {"0.009", "Please enter a number between 0.01 and 2000."},
        {"2000.01", "Please enter a number between 0.01 and 2000."},
        {"fast", "Please enter a number."},
    };
    for (const auto& [typed, message] : refused) {
        ui.boxes.clear();
        D refusing(ui, Opening(0, 4, 20));
        refusing.Type(D::kVelocity, typed);
        EXPECT_FALSE(refusing.Ok()) << typed;
        EXPECT_EQ(ui.boxes, std::vector<std::string>{message});
        EXPECT_EQ(refusing.Focus(), D::kVelocity);
    }
}

}  // namespace
}  // namespace kestrion
