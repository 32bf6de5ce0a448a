#include "views/DebugDataView.h"

#include <string>

#include "protocol/MessageRecord.h"
#include "protocol/Mid.h"
#include "protocol/RecordRenderer.h"
#include "transport/FeedEvents.h"

namespace kestrion {

CDebugDataView::CDebugDataView(QWidget* parent) : CLineList(parent)
{
    setWindowTitle(kCaption);
}

void CDebugDataView::OnUpdate(int hint, const CMessageRecord* record)
{
    if (hint != kHintRecord || record == nullptr || record->type != MID_ASCIIData ||
        record->faultMarker == kFaultMarker || record->textLength == 0) {
        return;
    }
    // The log's text: line ends inside it are blanks, so the message stays one line.
    std::string text;
    RenderRecord(*record, 0, text);  // the generation matters only to MID 19
    AddText(text + '\n');
}

}  // namespace kestrion
