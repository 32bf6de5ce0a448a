#include "views/DebugDataView.h"

#include <algorithm>
#include <string>

#include "protocol/Mid.h"
#include "app/DocumentView.h"
#include "views/PrintedText.h"

namespace kestrion {

CDebugDataView::CDebugDataView(QWidget* parent) : CLineList(parent)
{
    setWindowTitle(kCaption);
}

void CDebugDataView::OnUpdate(UpdateHint hint, const CMessageRecord* record)
{
    if (hint != UpdateHint::Record || record == nullptr || record->type != MID_ASCIIData ||
        record->faultMarker == kFaultMarker || record->textLength == 0) {
        return;
    }
    // Line ends inside the text are blanks, so the message stays one line.
    std::string text(PrintedText(*record));
    std::replace_if(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    AddText(text + '\n');
}

}  // namespace kestrion
