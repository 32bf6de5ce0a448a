#include <gtest/gtest.h>

#include "ViewTests.h"
#include "views/NavModeText.h"
#include "views/NavMsgView.h"

namespace kestrion {
namespace {

using Field = CNavMsgView::Field;

TEST(NavModeText, NamesTheModeByGeneration)
{
    struct Case {
        int generation;
        uint8_t mode1, mode2;
        const char* text;
    };
    const Case cases[] = {
        {2, 0x94, 0x00, "3D(AltFilter)+DGPS"},
        {3, 0x2E, 0x00, "LS3D(AltUser);LC"},
        {-1, 0x37, 0x00, "DR(AltForced)"},
        {0, 0x00, 0x00, "NoNav"},
        {1, 0x04, 0x0C, "Full 3D, DR timed out, edited by UI"},
        {1, 0x03, 0x00, "3 SV"},
        {1, 0x85, 0x00, "Point 2D+DGPS"},
        {1, 0x07, 0x01, "DR using sensor"},
        {1, 0x07, 0x00, "DR"},
        {1, 0x00, 0x00, "None"},
        // A bad DOP hides the fix, DGPS and least squares, but not the mode 2 notes.
        {1, 0x44, 0x00, "Bad DOP"},
        {2, 0xCC, 0x04, "Bad DOP, DR timed out"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NavModeText(c.mode1, c.mode2, c.generation), c.text)
            << "generation " << c.generation << " mode " << int(c.mode1) << "/" << int(c.mode2);
    }
}

class NavMsgViewTest : public ::testing::Test {
protected:
    QApplication& app = test::ViewApplication();  // before any widget
    ProtocolState protocol;
    CNavMsgView view{protocol};
};

TEST_F(NavMsgViewTest, ShowsEveryFieldOfAMeasuredNavigationMessage)
{
    protocol.generation = 2;
    const CMessageRecord record = test::Decoded({
        2, 0xFF, 0xB9, 0x17, 0x19, 0x00, 0x26, 0xF7, 0x84, 0xFF, 0xCA, 0x18, 0x7F,  // X, Y, Z
        0xFF, 0xF8, 0x00, 0x50, 0x7F, 0xFF,                                       // velocity
        0x94, 13, 0x02, 0x04, 0xB0, 0x00, 0xBC, 0x61, 0x4E,                       // modes, DOP, week, TOW
        3, 5, 0, 17, 9});
    view.OnUpdate(UpdateHint::Record, &record);

    const std::pair<Field, const char*> expected[] = {
        {Field::kPositionX, "-4647143"},  {Field::kPositionY, "2553732"},     {Field::kPositionZ, "-3532673"},
        {Field::kVelocityX, "    -1.000"}, {Field::kVelocityY, "    10.000"}, {Field::kVelocityZ, "  4095.875"},
        {Field::kLatitude, "-33.85000 "},  {Field::kLongitude, "151.21000 "}, {Field::kAltitude, "58        "},
        {Field::kMode, "3D(AltFilter)+DGPS"}, {Field::kDop, "2.6"},           {Field::kFix, "Validated"},
        {Field::kWeek, "1200"},            {Field::kTime, "123456.78"},       {Field::kSvCount, "3"},
        {Field::kSvList, "5 17 "},
    };
    for (const auto& [field, text] : expected) {
        EXPECT_EQ(view.FieldText(field), text) << "control " << int(field);
    }
}

TEST_F(NavMsgViewTest, TakesOnlyMeasuredNavigationAndTheGenerationOfItsArrival)
{
    CMessageRecord record;
    record.SetType(2);
    record.nav = {2, 0, 0, 6356852, 0, 0, 0, 0x03, 5, 0x00, 1, 0, 14, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}};
    protocol.generation = 1;
    view.OnUpdate(UpdateHint::Record, &record);
    CMessageRecord truth = record;
    truth.SetType(1);
    truth.nav.z = -6356852;
    view.OnUpdate(UpdateHint::Record, &truth);
    // On the polar axis; at most 12 channels listed.
    const QStringList first = {view.FieldText(Field::kLatitude), view.FieldText(Field::kLongitude),
                               view.FieldText(Field::kAltitude), view.FieldText(Field::kSvList),
                               view.FieldText(Field::kFix),      view.FieldText(Field::kMode)};
    EXPECT_EQ(first, QStringList({"90.00000  ", "0.00000   ", "100       ", "1 2 3 4 5 6 7 8 9 10 11 12 ",
                                  "Unvalidated", "3 SV"}));

    protocol.generation = 2;
    record.nav.z = -6356852;
    view.OnUpdate(UpdateHint::Record, &record);
    EXPECT_EQ(view.FieldText(Field::kLatitude), "-90.00000 ");
    EXPECT_EQ(view.FieldText(Field::kMode), "3SV");
}

}  // namespace
}  // namespace kestrion
