#pragma once
// "Measured Navigation Message View": the latest measured epoch as a form of position,
// velocity, geodetic position, mode, DOP, fix, time and the SVs used. Binary epochs show their
// navigation message (MID 2); NMEA epochs what their sentences give, the rest left blank.
#include <string>

#include <QWidget>

#include "app/DocumentView.h"
#include "epoch/ReceiverState.h"
#include "protocol/MessageBlocks.h"
#include "protocol/ProtocolState.h"
#include "views/FormFields.h"

namespace kestrion {

class CNavMsgView : public QWidget, public IDocumentView {
public:
    static constexpr const char* kCaption = "Measured Navigation Message View";

    // The form's fields by control id.
    enum Field {
        kSvList = 1049,
        kMode = 1050,
        kDop = 1051,
        kWeek = 1052,
        kTime = 1053,
        kFix = 1054,
        kSvCount = 1055,
        kPositionX = 1056,
        kVelocityX = 1057,
        kPositionY = 1058,
        kVelocityY = 1059,
        kPositionZ = 1060,
        kVelocityZ = 1061,
        kLatitude = 1062,
        kLongitude = 1063,
        kAltitude = 1064,
    };

    // The protocol state gives the receiver software generation, which names the modes.
    explicit CNavMsgView(const ProtocolState& protocol, QWidget* parent = nullptr);

    void OnUpdate(UpdateHint hint, const CMessageRecord* record) override;
    // A measured epoch fills the form; truth epochs are not shown.
    void ShowEpoch(const ReceiverEpoch& epoch);

    QString FieldText(Field field) const { return m_fields.Text(field); }
    QLineEdit* FieldWidget(Field field) const { return m_fields.Field(field); }
    // The widest text the field's format can give; the field is never narrower.
    static std::string WidestFieldText(Field field);

private:
    QLineEdit* Add(Field field);
    void Show(const NavBlock& nav);
    void ShowNmea(const ReceiverEpoch& epoch);

    const ProtocolState& m_protocol;
    CFormFields m_fields;
    CReceiverState m_receiver;
};

}  // namespace kestrion
