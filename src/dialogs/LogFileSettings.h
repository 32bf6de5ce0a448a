#pragma once
// "Log File Settings": the log file's name and the message types it records, kept in the
// "Logging" settings. OK makes sure the file can be written: it asks before an existing file
// is emptied and creates a missing one. The caller opens the log after OK.
#include "platform/DialogForm.h"
#include "platform/Profile.h"
#include "platform/Settings.h"

namespace kestrion {

class CLogFileSettings : public CDialogForm {
public:
    enum ControlId { kFileName = 1, kBrowse, kMessages, kRecommended, kSelectAll, kSelectNone };
    // Answers to the question about an existing file, in the order of its buttons.
    enum ExistingFile { kOverwrite = 0, kAppend, kReselect };

    CLogFileSettings(IUserInterface& ui, const CProfile& profile);

protected:
    void OnClicked(int id) override;
    bool OnOk() override;

private:
    void Browse();
    void SelectAll(bool selected);
    // The file is there to be written, emptied if the user wants; false after refusing.
    bool PrepareFile(const std::string& path);

    CProfile m_profile;  // a copy: the caller's may be a temporary
    Settings m_settings;
};

}  // namespace kestrion
