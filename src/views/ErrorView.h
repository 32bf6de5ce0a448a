#pragma once
// "Error Message View": the receiver's error and status messages (MID_Error) of the chosen
// severities, and the program's own fault texts. A double-click chooses the severities.
#include "app/DocumentView.h"
#include "dialogs/ErrorFilterDialog.h"
#include "platform/UserInterface.h"
#include "views/LineList.h"

namespace kestrion {

class CErrorView : public CLineList, public IDocumentView {
public:
    static constexpr const char* kCaption = "Error Message View";

    explicit CErrorView(IUserInterface& ui, QWidget* parent = nullptr);

    void OnUpdate(UpdateHint hint, const CMessageRecord* record) override;

    // "Select Errors to Display"; the choice applies to the records that follow.
    void ChooseFilter();
    const ErrorFilter& Filter() const { return m_filter; }

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    IUserInterface& m_ui;
    ErrorFilter m_filter;
};

}  // namespace kestrion
