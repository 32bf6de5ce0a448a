#include <gtest/gtest.h>

#include "ViewTests.h"
#include "views/DGPSStatusView.h"

namespace kestrion {
namespace {

using View = CDGPSStatusView;

class DGPSStatusViewTest : public ::testing::Test {
protected:
    QApplication& app = test::ViewApplication();  // before any widget
    View view;

    QString Prn(int channel) const { return view.FieldText(View::kFirstPrn + channel); }
    QString Correction(int channel) const { return view.FieldText(View::kFirstCorrection + channel); }
};

TEST_F(DGPSStatusViewTest, ShowsTheSourceTheBeaconAndEachChannelsCorrection)
{
    for (int field = View::kSource; field < View::kFirstCorrection + 12; ++field) {
        EXPECT_EQ(view.FieldText(field), "N/A") << field;
    }
    const CMessageRecord record = test::Decoded({
        27, 3, 0x00, 0x04, 0x93, 0xE0, 100, 0x03,        // source, frequency 300000 Hz, bit rate, status
        0xFF, 0xFF, 0xFF, 0xFB, 0x00, 0x2A, 0xFF, 0xFE,  // magnitude -5, strength 42, SNR -2
        12, 0xFF, 0x85, 0, 0x00, 0x10, 32, 0x00, 0x05, 33, 0x00, 0x07, 1, 0x00, 0x00});
    view.OnUpdate(UpdateHint::Record, &record);
    const std::pair<int, const char*> expected[] = {
        {View::kSource, "Internal DGPS Beacon Receiver     "}, {View::kLocked, "Yes"},
        {View::kFrequency, "300.000 kHz (Auto)"},               {View::kBitRate, "100 bps (Manual)"},
        {View::kSignalMagnitude, "-5"},                          {View::kSignalStrength, "42 dB"},
        {View::kSnr, "-2 dB"},
    };
    for (const auto& [field, text] : expected) {
        EXPECT_EQ(view.FieldText(field), text) << field;
    }
    const QStringList prns = {Prn(0), Prn(1), Prn(2), Prn(3), Prn(4), Prn(11)};
    const QStringList corrections = {Correction(0), Correction(1), Correction(2), Correction(3), Correction(4),
                                     Correction(11)};
    EXPECT_EQ(prns, QStringList({"12", "N/A", "32", "N/A", "1", "N/A"}));
    EXPECT_EQ(corrections, QStringList({"-1.23 m", "N/A", "+0.05 m", "N/A", "+0.00 m", "N/A"}));
}

TEST_F(DGPSStatusViewTest, ANewRecordReplacesEveryField)
{
    CMessageRecord record;
    record.SetType(27);
    record.dgpsStatus = {27, 0, 1500, 50, 0x04, 0, 0, 0, {{5, -1}, {7, 2}}};
    view.OnUpdate(UpdateHint::Record, &record);
    EXPECT_EQ(QStringList({view.FieldText(View::kSource), view.FieldText(View::kFrequency),
                           view.FieldText(View::kBitRate), Correction(0)}),
              QStringList({QString("None").leftJustified(34), "1.500 kHz (Manual)", "50 bps (Auto)", "-0.01 m"}));

    record.dgpsStatus = {27, 7, 1500, 50, 0x04, 0, 0, 0, {{0, 300}, {7, 3}}};
    view.OnUpdate(UpdateHint::Record, &record);
    EXPECT_EQ(QStringList({view.FieldText(View::kSource), Prn(0), Correction(0), Correction(1)}),
              QStringList({"Error", "N/A", "N/A", "+0.03 m"}));
}

}  // namespace
}  // namespace kestrion
