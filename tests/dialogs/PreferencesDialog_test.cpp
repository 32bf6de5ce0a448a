#include "dialogs/PreferencesDialog.h"

#include <gtest/gtest.h>

#include "support/ScriptedUi.h"
#include "support/TempFolder.h"

namespace kestrion {
namespace {

using D = CPreferencesDialog;

class PreferencesTest : public ::testing::Test {
protected:
    CProfile Profile() const { return CProfile(m_folder.Path() / "demo.ini"); }
    std::vector<std::string> Shown(const D& dialog) const
    {
        return {std::to_string(dialog.Value(D::kGraphType)), std::to_string(dialog.Value(D::kOrientation)),
                dialog.Text(D::kScale), std::to_string(dialog.Value(D::kCentered)), dialog.Text(D::kTimerDelay),
                std::to_string(dialog.Value(D::kFileTimer))};
    }

    CTempFolder m_folder;
    fakes::CScriptedUi m_ui;
};

TEST_F(PreferencesTest, OpensOnTheStoredSettingsWithTheTimerHidden)
{
    EXPECT_EQ(Shown(D(m_ui, Profile())), (std::vector<std::string>{"0", "0", "0.5", "0", "1000", "0"}));
    WriteText(Profile().Path(), "[Signal View]\nGraph Type=1\n[Radar View]\nOrientation=1\n[Map View]\nScale=2.50\n"
                                "Center Fixed=1\n[Random Data]\nTimer Delay=500\n[File Data]\nExternal Timer=1\n");
    const D dialog(m_ui, Profile());
    EXPECT_EQ(Shown(dialog), (std::vector<std::string>{"1", "1", "2.5", "1", "500", "1"}));
    EXPECT_FALSE(dialog.Control(D::kTimerDelay).visible);
    EXPECT_FALSE(dialog.Control(D::kFileTimer).visible);
}

TEST_F(PreferencesTest, SaveWritesTheFiveGroupsAndKeepsTheirOtherKeys)
{
    WriteText(Profile().Path(), "[Map View]\nLat=51.500000\nRing 2=250\n[Radar View]\nOuter Radius Velocity=7.25\n");
    D dialog(m_ui, Profile());
    dialog.ChooseRadio(D::kGraphType, 1);
    dialog.ChooseRadio(D::kOrientation, 1);
    dialog.Type(D::kScale, " 12.5");
    dialog.Click(D::kCentered);
    ASSERT_TRUE(dialog.Ok());
    Settings s;
    s.LoadSignalView(Profile());
    s.LoadRadarView(Profile());
    s.LoadMapView(Profile());
    s.LoadTimerDelay(Profile());
    s.LoadExternalTimer(Profile());
    EXPECT_EQ(std::vector<int>({s.signalGraphType, s.radarOrientation, s.mapCenterFixed, s.ring2, s.timerDelay,
                                s.externalTimer}),
              std::vector<int>({1, 1, 1, 250, 1000, 0}));
    EXPECT_EQ(std::vector<double>({s.mapScale, s.mapLat, s.radarVelocityRadius}),
              std::vector<double>({12.5, 51.5, 7.25}));
    EXPECT_EQ(Profile().GetString("File Data", "External Timer", "none"), "0");
}

TEST_F(PreferencesTest, OutOfRangeValuesAreRefusedWithTheFrameworkTexts)
{
    const std::vector<std::tuple<int, std::string, std::string>> cases = {
        {D::kScale, "0.2", "Please enter a number between 0.25 and 10000."},
        {D::kScale, "10000.5", "Please enter a number between 0.25 and 10000."},
        {D::kScale, "fast", "Please enter a number."},
        {D::kTimerDelay, "199", "Please enter an integer between 200 and 30000."},
    };
    for (const auto& [id, text, message] : cases) {
        m_ui.boxes.clear();
        D dialog(m_ui, Profile());
        dialog.Type(id, text);
        EXPECT_FALSE(dialog.Ok()) << text;
        EXPECT_EQ(m_ui.boxes, std::vector<std::string>{message});
        EXPECT_EQ(dialog.Focus(), id);
        EXPECT_FALSE(std::filesystem::exists(Profile().Path()));
    }
}

TEST_F(PreferencesTest, AStoredDelayOutOfRangeOpensAtTheNearestBoundSoSaveWorks)
{
    for (const auto& [stored, shown] : {std::pair{"50", "200"}, {"99999", "30000"}, {"200", "200"}}) {
        Profile().WriteString("Random Data", "Timer Delay", stored);
        D dialog(m_ui, Profile());
        EXPECT_EQ(dialog.Text(D::kTimerDelay), shown);
        EXPECT_TRUE(dialog.Ok());
        EXPECT_EQ(Profile().GetString("Random Data", "Timer Delay", ""), shown);
    }
}

}  // namespace
}  // namespace kestrion
