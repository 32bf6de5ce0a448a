#pragma once
// "Response View": the receiver's answers to commands and polls, newest last.
#include "app/DocumentView.h"
#include "protocol/ProtocolState.h"
#include "views/LineList.h"

namespace kestrion {

class CQueryView : public CLineList, public IDocumentView {
public:
    static constexpr const char* kCaption = "Response View";

    // The protocol state gives the receiver software generation, which selects the layout of
    // the navigation parameters.
    explicit CQueryView(const ProtocolState& protocol, QWidget* parent = nullptr);

    void OnUpdate(UpdateHint hint, const CMessageRecord* record) override;

private:
    const ProtocolState& m_protocol;
};

}  // namespace kestrion
