#pragma once
// How a run of the engine ended, for its exit status: it failed when the data source neither
// opened nor delivered a record (a short recording ends within its open), its serial port was
// lost and not back at the end, the log could not be written, or a failure box was shown.
#include <string>

#include "app/DocumentView.h"
#include "app/HeadlessUi.h"
#include "app/LogFile.h"
#include "platform/Profile.h"

namespace kestrion {
class CEngine;
}

namespace kestrion::cli {

// "cannot write the log file <name>: <reason>", for the log's last failure.
std::string LogFailureText(const CLogFile& log);

class CRunOutcome : public IDocumentView {
public:
    // Notes the records delivered.
    void OnUpdate(UpdateHint hint, const CMessageRecord* record) override;

    void SetOpened(bool opened) { m_opened = opened; }
    // Before the data source closes: notes its serial port when it was lost and is not back.
    void CheckPort(CEngine& engine);

    // Why the run failed, in one line ("<what>: <reason>"); empty when it did its job.
    std::string Failure(const CHeadlessUi& ui, const CLogFile& log, const CProfile& profile) const;

private:
    bool m_opened = false;
    bool m_delivered = false;
    std::string m_lostPort;
};

}  // namespace kestrion::cli
