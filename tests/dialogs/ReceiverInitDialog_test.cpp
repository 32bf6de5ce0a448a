#include "dialogs/ReceiverInitDialog.h"

#include <gtest/gtest.h>

#include "support/ScriptedUi.h"
#include "support/TempFolder.h"

namespace kestrion {
namespace {

using D = CReceiverInitDialog;

class ReceiverInitTest : public ::testing::Test {
protected:
    CProfile Profile() const { return CProfile(m_folder.Path() / "demo.ini"); }
    void Store(const std::string& keys) const { WriteText(Profile().Path(), "[ReceiverInit]\n" + keys); }
    Settings Saved() const
    {
        Settings settings;
        settings.LoadReceiverInit(Profile());
        return settings;
    }
    std::vector<std::string> Texts(const D& dialog, std::initializer_list<int> ids) const
    {
        std::vector<std::string> texts;
        for (const int id : ids) {
            texts.push_back(dialog.Text(id));
        }
        return texts;
    }

    CTempFolder m_folder;
    fakes::CScriptedUi m_ui;
};

TEST_F(ReceiverInitTest, OpensOnTheStoredFieldsWithTheTimeOfWeekInSeconds)
{
    Store("X=-2694685\nClock=96000\nTOW=34560099\nWeekNo=1100\nChannels=8\nEnableRawTrackMessages=1\n");
    const D dialog(m_ui, 2, Profile());
    EXPECT_EQ(Texts(dialog, {D::kX, D::kY, D::kClock, D::kWeek, D::kTow, D::kChannels, D::kPeriod}),
              (std::vector<std::string>{"-2694685", "0", "96000", "1100", "345600", "8", "0"}));
    EXPECT_TRUE(dialog.Checked(D::kRawTrack));
    EXPECT_EQ(D(m_ui, 2, CProfile(m_folder.Path() / "none.ini")).Text(D::kChannels), "12");
}

TEST_F(ReceiverInitTest, GenerationOneNeverSeesFactoryResetWhichSendsWithoutMessages)
{
    // generation, stored mode, opened and saved mode
    for (const auto& [generation, stored, opened] :
         {std::tuple{1, 4, 3}, {1, 2, 2}, {2, 4, 4}, {-1, 4, 4}, {1, 9, 0}}) {
        Store("ResetMode=" + std::to_string(stored) + "\nEnableDebugMessages=1\n");
        D dialog(m_ui, generation, Profile());
        const bool one = generation == 1;
        EXPECT_EQ(dialog.ResetMode(), opened) << generation << " " << stored;
        EXPECT_EQ(dialog.Control(D::kResetMode).itemVisible[D::kFactoryReset], !one);
        EXPECT_EQ(dialog.Control(D::kResetMode).itemEnabled[D::kFactoryReset], !one);
        EXPECT_EQ(dialog.Control(D::kRawTrack).label, one ? "Enable &Raw Track Data" : "Enable &Nav Lib Data");
        ASSERT_TRUE(dialog.Ok());
        const bool factory = opened == D::kFactoryReset;
        EXPECT_EQ(dialog.MessagesRequested(), !factory);
        EXPECT_EQ(Saved().resetMode, opened);
        EXPECT_EQ(Saved().enableDebugMessages, factory ? 0 : 1);
    }
}

TEST_F(ReceiverInitTest, EnableRulesFollowTheResetModeAndThePcClockBox)
{
    D dialog(m_ui, 2, Profile());
    for (int mode = D::kHotStart; mode <= D::kFactoryReset; ++mode) {
        for (const bool pcClock : {true, false}) {
            dialog.ChooseRadio(D::kResetMode, mode);
            if (dialog.Checked(D::kUseDosTime) != pcClock) {
                dialog.Click(D::kUseDosTime);
            }
            const bool init = mode == D::kWarmInit;
            for (const int id : {D::kX, D::kY, D::kZ, D::kClock, D::kChannels, D::kUseDosTime}) {
                EXPECT_EQ(dialog.Control(id).enabled, init) << mode << " " << id;
            }
            EXPECT_EQ(dialog.Control(D::kWeek).enabled, init && !pcClock) << mode;
            EXPECT_EQ(dialog.Control(D::kTow).enabled, init && !pcClock) << mode;
            EXPECT_EQ(dialog.Control(D::kDebug).enabled, mode != D::kFactoryReset) << mode;
        }
    }
}

TEST_F(ReceiverInitTest, RefusedPeriodsAndFieldsSaveNothing)
{
    const std::string outOfRange = "Reset period is out of range.";
    // control, text, message (empty: accepted, the period then being the text's value)
    const std::vector<std::tuple<int, std::string, std::string>> cases = {
        {D::kPeriod, "0", ""},
        {D::kPeriod, "5", ""},
        {D::kPeriod, " 600", ""},
        {D::kPeriod, "4", outOfRange},
        {D::kPeriod, "601", outOfRange},
        {D::kPeriod, "-5", outOfRange},
        {D::kPeriod, "99999999999999999999999", outOfRange},
        {D::kChannels, "13", "Please enter an integer between 1 and 12."},
        {D::kX, "2147483648", "Please enter an integer between -2147483648 and 2147483647."},
        {D::kWeek, "65536", "Please enter an integer between 0 and 65535."},
        {D::kTow, "42949673", "Please enter an integer between 0 and 42949672."},
    };
    for (const auto& [id, text, message] : cases) {
        std::filesystem::remove(Profile().Path());
        m_ui.boxes.clear();
        D dialog(m_ui, 2, Profile());
        dialog.Type(id, text);
        EXPECT_EQ(dialog.Ok(), message.empty()) << text;
        EXPECT_EQ(std::filesystem::exists(Profile().Path()), message.empty()) << text;
        if (message.empty()) {
            EXPECT_EQ(dialog.Period(), std::stoi(text));
        } else {
            EXPECT_EQ(m_ui.boxes, std::vector<std::string>{message});
            EXPECT_EQ(dialog.Focus(), id);
        }
    }
}

TEST_F(ReceiverInitTest, SendSavesEveryFieldWithTheTimeOfWeekInHundredths)
{
    Store("EnableDebugMessages=1\n");
    D dialog(m_ui, 2, Profile());
    dialog.ChooseRadio(D::kResetMode, D::kWarmInit);
    for (const auto& [id, text] : {std::pair{D::kX, "-2147483648"}, {D::kZ, "3857878"}, {D::kClock, "-96000"},
                                   {D::kWeek, "1100"}, {D::kTow, "345600"}, {D::kChannels, "1"}}) {
        dialog.Type(id, text);
    }
    dialog.Click(D::kUseDosTime);
    ASSERT_TRUE(dialog.Ok());
    EXPECT_TRUE(dialog.MessagesRequested());
    const Settings s = Saved();
    EXPECT_EQ(std::vector<long>({s.initX, s.initY, s.initZ, s.initClock, s.initTow}),
              std::vector<long>({-2147483648L, 0, 3857878, -96000, 34560000}));
    EXPECT_EQ(std::vector<int>({s.useDosTime, s.initWeek, s.channels, s.resetMode, s.enableRawTrackMessages,
                                s.enableDebugMessages}),
              std::vector<int>({1, 1100, 1, D::kWarmInit, 0, 1}));
}

TEST_F(ReceiverInitTest, PositionFileGivesXYZAndClockMissingLinesGiveZeroAndFailuresAreReported)
{
    const std::filesystem::path file = m_folder.Path() / "here.pos";
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"-2694685\n-4293642\n3857878\n96000\n", {"-2694685", "-4293642", "3857878", "96000"}},
        {"1\r\n2\r\n3\r\n4", {"1", "2", "3", "4"}},
        {"100\n-200\n", {"100", "-200", "0", "0"}},
        {"abc\n 12m\n", {"0", "12", "0", "0"}},
        // Only the first 99 characters of a line count; the rest is not the next value.
        {std::string(99, ' ') + "5\n6\n", {"0", "6", "0", "0"}},
    };
    for (const auto& [text, values] : cases) {
        WriteText(file, text);
        D dialog(m_ui, 2, Profile());
        dialog.Type(D::kClock, "55");
        m_ui.files = {file.string()};
        dialog.Click(D::kLoad);
        EXPECT_EQ(Texts(dialog, {D::kX, D::kY, D::kZ, D::kClock}), values) << text;
    }
    EXPECT_EQ(m_ui.choosers.back().title, "Specify a Name for the Position File");
    EXPECT_EQ(m_ui.choosers.back().filter, "Position Files (*.pos)|*.pos|All Files (*.*)|*.*||");
    EXPECT_TRUE(m_ui.boxes.empty());

    // A name without a file part asks again; a missing file is reported and changes nothing.
    m_ui.choosers.clear();
    const std::string missing = (m_folder.Path() / "gone.pos").string();
    const std::string endless = (m_folder.Path() / "endless.pos").string();
    WriteText(endless, std::string(100 * 1024, '7'));
    m_ui.files = {m_folder.Path().string() + "/", file.string(), missing, endless, "/proc/self"};
    D dialog(m_ui, 2, Profile());
    for (int load = 0; load < 4; ++load) {
        dialog.Click(D::kLoad);
    }
    EXPECT_EQ(m_ui.choosers.size(), 5u);
    EXPECT_EQ(dialog.Text(D::kY), "6");
    EXPECT_EQ(m_ui.boxes, (std::vector<std::string>{
                              "Cannot open position file " + missing + ": No such file or directory",
                              "Cannot open position file " + endless + ": line 1: line too long",
                              "Cannot open position file /proc/self: Is a directory"}));
}

}  // namespace
}  // namespace kestrion
