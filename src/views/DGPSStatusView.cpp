#include "views/DGPSStatusView.h"

#include <iterator>
#include <string>

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "protocol/MessageLayouts.h"
#include "protocol/MessageRecord.h"
#include "protocol/Mid.h"
#include "protocol/TextFormatter.h"
#include "app/DocumentView.h"

namespace kestrion {
namespace {

constexpr const char* kNotAvailable = "N/A";

// Beacon status bits.
constexpr uint8_t kBeaconLocked = 0x01;
constexpr uint8_t kFrequencyFound = 0x02;
constexpr uint8_t kBitRateFound = 0x04;

constexpr uint8_t kMaxPrn = 32;

std::string SourceName(uint8_t source)
{
    constexpr const char* kNames[] = {"None", "WAAS", "External RTCM Data (Serial Port B)",
                                      "Internal DGPS Beacon Receiver", "Software"};
    return source < std::size(kNames) ? FormatText("%-34s", {kNames[source]}) : "Error";
}

const char* HowFound(uint8_t status, uint8_t bit)
{
    return (status & bit) != 0 ? "(Auto)" : "(Manual)";
}

}  // namespace

CDGPSStatusView::CDGPSStatusView(QWidget* parent) : QWidget(parent)
{
    setWindowTitle(kCaption);

    auto* beacon = new QGroupBox("Internal DGPS Beacon Receiver");
    auto* beaconForm = new QFormLayout(beacon);
    beaconForm->addRow("Locked:", m_fields.Add(kLocked));
    beaconForm->addRow("Frequency:", m_fields.Add(kFrequency));
    beaconForm->addRow("Bit Rate:", m_fields.Add(kBitRate));
    beaconForm->addRow("Signal Magnitude:", m_fields.Add(kSignalMagnitude));
    beaconForm->addRow("Signal Strength:", m_fields.Add(kSignalStrength));
    beaconForm->addRow("SNR:", m_fields.Add(kSnr));

    auto* sourceForm = new QFormLayout;
    sourceForm->addRow("Source:", m_fields.Add(kSource));
    auto* left = new QVBoxLayout;
    left->addLayout(sourceForm);
    left->addWidget(beacon);
    left->addStretch();

    auto* channels = new QGridLayout;
    channels->addWidget(new QLabel("PRN:"), 0, 0);
    channels->addWidget(new QLabel("Correction:"), 0, 1);
    for (int channel = 0; channel < static_cast<int>(kChannels); ++channel) {
        channels->addWidget(m_fields.Add(kFirstPrn + channel), channel + 1, 0);
        channels->addWidget(m_fields.Add(kFirstCorrection + channel), channel + 1, 1);
    }
    channels->setRowStretch(kChannels + 1, 1);

    auto* columns = new QHBoxLayout(this);
    columns->addLayout(left, 2);
    columns->addLayout(channels, 1);

    for (int field = kSource; field < kFirstCorrection + static_cast<int>(kChannels); ++field) {
        m_fields.Set(field, kNotAvailable);
    }
}

void CDGPSStatusView::OnUpdate(UpdateHint hint, const CMessageRecord* record)
{
    if (hint == UpdateHint::Record && record != nullptr && record->type == MID_DGPSStatus) {
        Show(record->dgpsStatus);
    }
}

void CDGPSStatusView::Show(const DgpsStatusBlock& block)
{
    const uint8_t status = block.beaconStatus;
    m_fields.Set(kSource, SourceName(block.source));
    m_fields.Set(kLocked, (status & kBeaconLocked) != 0 ? "Yes" : "No");
    m_fields.Set(kFrequency, FormatText("%.3f kHz %s", {block.beaconFrequency.Value() * 0.001,
                                                        HowFound(status, kFrequencyFound)}));
    m_fields.Set(kBitRate,
                 FormatText("%u bps %s", {block.beaconBitRate, HowFound(status, kBitRateFound)}));
    m_fields.Set(kSignalMagnitude, FormatText("%ld", {block.signalMagnitude.Value()}));
    m_fields.Set(kSignalStrength, FormatText("%d dB", {block.signalStrength.Value()}));
    m_fields.Set(kSnr, FormatText("%d dB", {block.snr.Value()}));

    for (int channel = 0; channel < static_cast<int>(kChannels); ++channel) {
        const DgpsChannel& entry = block.channels[channel];
        if (entry.svId >= 1 && entry.svId <= kMaxPrn) {
            const int correction = entry.correction;
            m_fields.Set(kFirstPrn + channel, FormatText("%u", {entry.svId}));
            // The sign is always shown.
            m_fields.Set(kFirstCorrection + channel,
                         FormatText("%s%.2f m", {correction >= 0 ? "+" : "", fields::kDgpsCorrection.Scaled(correction)}));
        } else {
            m_fields.Set(kFirstPrn + channel, kNotAvailable);
            m_fields.Set(kFirstCorrection + channel, kNotAvailable);
        }
    }
}

}  // namespace kestrion
