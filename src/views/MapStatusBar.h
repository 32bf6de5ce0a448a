#pragma once
// The status bar above the map: the fix of the latest measured navigation record, the latest
// position, and the "Clear" button.
#include <QWidget>

#include "views/FormFields.h"
#include "views/MapStatusText.h"

namespace kestrion {

class CMapStatusBar : public QWidget {
    Q_OBJECT

public:
    // The fields by control id.
    enum Field {
        kDop = 1036,
        kMode = 1037,
        kSvList = 1038,
        kLatitude = 1040,
        kLongitude = 1041,
        kFix = 1042,
        kAltitude = 1043,
        kHeading = 1044,
        kSpeed = 1045,
        kValidity = 1046,
        kTime = 1047,
        kWeek = 1048,
    };

    explicit CMapStatusBar(QWidget* parent = nullptr);

    void ShowFix(const MapFixTexts& texts);
    void ShowPosition(const MapPositionTexts& texts);

    QString FieldText(Field field) const { return m_fields.Text(field); }

signals:
    void clearRequested();

private:
    CFormFields m_fields;
};

}  // namespace kestrion
