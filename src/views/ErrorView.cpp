#include "views/ErrorView.h"

#include <algorithm>
#include <string>

#include <QMouseEvent>

#include "protocol/MessageRecord.h"
#include "protocol/Mid.h"
#include "protocol/RecordRenderer.h"
#include "app/DocumentView.h"
#include "views/PrintedText.h"

namespace kestrion {
namespace {

constexpr size_t kMaxErrorText = 256;

// The text of a shown record, empty for the others.
std::string ErrorText(const CMessageRecord& record, const ErrorFilter& filter)
{
    std::string text;
    if (record.type == MID_Error && filter.Shows(record.error.code)) {
        RenderRecord(record, 0, text);  // the generation matters only to MID 19
        text.resize(std::min(text.size(), kMaxErrorText));
    } else if (record.type == MID_ASCIIData && record.faultMarker == kFaultMarker) {
        text.assign(PrintedText(record));
        text += '\n';
    }
    return text;
}

}  // namespace

CErrorView::CErrorView(IUserInterface& ui, QWidget* parent) : CLineList(parent), m_ui(ui)
{
    setWindowTitle(kCaption);
}

void CErrorView::OnUpdate(UpdateHint hint, const CMessageRecord* record)
{
    if (hint == UpdateHint::Record && record != nullptr) {
        AddText(ErrorText(*record, m_filter));
    }
}

void CErrorView::ChooseFilter()
{
    CErrorFilterDialog dialog(m_ui, m_filter);
    if (m_ui.RunDialog(dialog)) {
        m_filter = dialog.Filter();
    }
}

void CErrorView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        ChooseFilter();
    }
}

}  // namespace kestrion
