#include "cli/RunOutcome.h"

#include <cerrno>
#include <cstring>

#include "app/Engine.h"
#include "platform/Settings.h"
#include "app/DocumentView.h"
#include "transport/SerialSource.h"

namespace kestrion::cli {

std::string LogFailureText(const CLogFile& log)
{
    // The log's lock keeps a second writer out.
    const int error = log.Failure();
    const std::string reason = error == EWOULDBLOCK ? "locked by another program" : std::strerror(error);
    return "cannot write the log file " + log.FileName() + ": " + reason;
}

void CRunOutcome::OnUpdate(UpdateHint hint, const CMessageRecord* record)
{
    if (hint == UpdateHint::Record && record != nullptr) {
        m_delivered = true;
    }
}

void CRunOutcome::CheckPort(CEngine& engine)
{
    CFeedDoc* document = engine.CurrentDocument();
    auto* serial = document != nullptr ? dynamic_cast<CSerialSource*>(document->MeasuredFeed().Source()) : nullptr;
    if (serial != nullptr && serial->Port().Lost()) {
        m_lostPort = DevicePathOf(serial->Name());
    }
}

std::string CRunOutcome::Failure(const CHeadlessUi& ui, const CLogFile& log, const CProfile& profile) const
{
    // The first failure shown is the cause; others (a log on a full disk) may follow.
    if (!m_opened && !m_delivered) {
        Settings settings;
        settings.LoadDataSources(profile);
        if (settings.dataSource != 0 && settings.measSource == 0 && settings.measFileName.empty()) {
            return profile.Path().string() + ": the measured data source is a file, but no file name is set";
        }
        return ui.Failures().empty() ? "the data source could not be opened" : ui.Failures().front();
    }
    if (!m_lostPort.empty()) {
        return m_lostPort + ": the port was lost and has not come back";
    }
    if (log.Failure() != 0) {
        return LogFailureText(log);
    }
    return ui.Failures().empty() ? std::string() : ui.Failures().front();
}

}  // namespace kestrion::cli
