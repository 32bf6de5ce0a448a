#include "views/QueryView.h"

#include <string>

#include "app/DocumentView.h"
#include "views/ResponseText.h"

namespace kestrion {

CQueryView::CQueryView(const ProtocolState& protocol, QWidget* parent)
    : CLineList(parent), m_protocol(protocol)
{
    setWindowTitle(kCaption);
}

void CQueryView::OnUpdate(UpdateHint hint, const CMessageRecord* record)
{
    std::string text;
    if (hint == UpdateHint::Record && record != nullptr &&
        RenderResponse(*record, m_protocol.generation, text)) {
        AddText(text);
    }
}

}  // namespace kestrion
