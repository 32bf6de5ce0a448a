#pragma once
// "DGPS Status View": the differential GPS state of the latest MID_DGPSStatus record: the
// correction source, the internal beacon receiver and the correction of each channel.
#include <QWidget>

#include "app/DocumentView.h"
#include "protocol/MessageBlocks.h"
#include "views/FormFields.h"

namespace kestrion {

class CDGPSStatusView : public QWidget, public IDocumentView {
public:
    static constexpr const char* kCaption = "DGPS Status View";

    enum Field {
        kSource = 1,
        kLocked,
        kFrequency,
        kBitRate,
        kSignalMagnitude,
        kSignalStrength,
        kSnr,
        kFirstPrn,                              // one per channel
        kFirstCorrection = kFirstPrn + kChannels,  // one per channel
    };

    explicit CDGPSStatusView(QWidget* parent = nullptr);

    void OnUpdate(UpdateHint hint, const CMessageRecord* record) override;

    QString FieldText(int field) const { return m_fields.Text(field); }

private:
    void Show(const DgpsStatusBlock& block);

    CFormFields m_fields;
};

}  // namespace kestrion
