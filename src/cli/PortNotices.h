#pragma once
// A view that tells the serial port's own texts ("Comm: Port /dev/ttyUSB0 lost", "... reopened",
// "Comm: Send buffer full, ...") and the sharing's ("Share: client ... connected") as notices
// while they happen; the framing faults of the stream go only to the log.
#include <string_view>

#include "app/DocumentView.h"
#include "app/HeadlessUi.h"
#include "protocol/MessageBlocks.h"
#include "protocol/MessageRecord.h"

namespace kestrion::cli {

class CPortNotices : public IDocumentView {
public:
    explicit CPortNotices(CHeadlessUi& ui) : m_ui(ui) {}

    void OnUpdate(UpdateHint hint, const CMessageRecord* record) override
    {
        if (hint != UpdateHint::Record || record == nullptr || record->type != MID_ASCIIData || record->faultMarker != kFaultMarker) {
            return;
        }
        const std::string_view text = record->Text();
        const bool portText = text.starts_with("Comm: Port ") || text.starts_with("Comm: Send buffer full") ||
                              (text.starts_with("Comm: ") && text.find(" receives only; ") != std::string_view::npos);
        if (portText || text.starts_with("Share: ")) {
            m_ui.Notice(text);
        }
    }

private:
    CHeadlessUi& m_ui;
};

}  // namespace kestrion::cli
