#include "app/LogFile.h"

#include <cerrno>
#include <cstring>

#include "app/LocalTime.h"
#include "platform/Version.h"
#include "protocol/RecordRenderer.h"

namespace kestrion {

CLogFile::CLogFile(const CProfile& profile, const IClock& clock, ILogEvents& events)
    : m_profile(profile), m_clock(clock), m_events(events)
{
    m_settings.LoadLogging(m_profile);
}

bool CLogFile::SettingsDialog()
{
    Close();
    if (!m_events.RunSettingsDialog()) {
        return false;
    }
    m_settings.LoadLogging(m_profile);
    return true;
}

bool CLogFile::Open(bool ask)
{
    m_settings.LoadDataSources(m_profile);
    if (!ask || SettingsDialog()) {
        Close();
        OpenNamed(m_settings.logFileName);
        // The file the user has just chosen: a failure is theirs to hear of.
        if (ask && !m_open) {
            m_events.ShowWriteError("Log file could not be opened: " + m_settings.logFileName + ": " + FailureReason());
        }
    }
    return Opened();
}

bool CLogFile::OpenFile(const std::string& fileName)
{
    m_settings.LoadDataSources(m_profile);
    Close();
    m_settings.logFileName = fileName;
    OpenNamed(fileName);
    return Opened();
}

void CLogFile::OpenNamed(const std::string& fileName)
{
    m_open = m_file.Open(fileName);
    m_failure = m_open ? 0 : m_file.Error();
}

std::string CLogFile::FailureReason() const
{
    // The lock keeps a second writer out.
    return m_failure == EWOULDBLOCK ? "locked by another program" : std::strerror(m_failure);
}

bool CLogFile::Opened()
{
    m_markTime = m_clock.Now();
    if (m_open) {
        Put("Kestrion Demo Version " KESTRION_VERSION " log file opened " + FormatLocalTime("%c", m_markTime) + "\n\n");
    }
    m_events.RefreshTitle();
    return m_open;
}

void CLogFile::Close()
{
    if (!m_open) {
        return;
    }
    m_markTime = m_clock.Now();
    if (!Put("\nLog file closed " + FormatLocalTime("%c", m_markTime) + "\n")) {
        return;
    }
    if (!m_file.Close()) {
        StopOnWriteError();
        return;
    }
    m_open = false;
    m_events.RefreshTitle();
}

int CLogFile::WriteLine(std::string_view text)
{
    if (m_open) {
        Put(text);
    }
    return 1;
}

void CLogFile::LogRecord(const CMessageRecord& record, int generation)
{
    if (!m_open || m_settings.logMessages[record.type] == 0) {
        return;
    }
    if (!RenderRecord(record, generation, m_line)) {
        return;
    }
    m_line.push_back('\n');
    if (Put(m_line) && m_clock.Now() - m_markTime >= kAutoSaveSeconds) {
        AutoSave();
    }
}

void CLogFile::Flush()
{
    if (m_open && !m_file.Flush()) {
        StopOnWriteError();
    }
}

bool CLogFile::Put(std::string_view text)
{
    if (m_file.Write(text)) {
        return true;
    }
    StopOnWriteError();
    return false;
}

void CLogFile::AutoSave()
{
    m_markTime = m_clock.Now();
    if (!Put(FormatLocalTime("Start Auto-saving: %H:%M:%S\n", m_markTime))) {
        return;
    }
    if (!m_file.Close()) {
        StopOnWriteError();
        return;
    }
    // A file that cannot be opened again (moved, locked) stops logging like a write error.
    OpenNamed(m_settings.logFileName);
    if (!m_open || !(m_file.Write("End Auto-saving\n") && m_file.Flush())) {
        StopOnWriteError();
        return;
    }
    m_events.RefreshTitle();
}

void CLogFile::StopOnWriteError()
{
    const int error = m_file.Error();
    m_failure = error;
    m_file.Close();
    m_open = false;
    m_events.ShowWriteError("Log file write error: " + std::string(std::strerror(error)) +
                            ". Logging stopped.");
    m_events.RefreshTitle();
}

}  // namespace kestrion
