#pragma once
// "Development Data View": the receiver's development texts (MID 255), one line each.
#include "app/DocumentView.h"
#include "views/LineList.h"

namespace kestrion {

class CDebugDataView : public CLineList, public IDocumentView {
public:
    static constexpr const char* kCaption = "Development Data View";

    explicit CDebugDataView(QWidget* parent = nullptr);

    void OnUpdate(UpdateHint hint, const CMessageRecord* record) override;
};

}  // namespace kestrion
