#pragma once
// The text log: one per program. It appends the text of every selected record and the
// status lines of other parts to the file chosen in the log settings, stamps it with opening
// and closing lines, and closes and reopens it every ten minutes so the file stays current.
#include <ctime>
#include <string>
#include <string_view>

#include "app/AppendFile.h"
#include "platform/Clock.h"
#include "platform/Profile.h"
#include "platform/Settings.h"
#include "protocol/MessageRecord.h"

namespace kestrion {

// What the log asks of the program around it.
class ILogEvents {
public:
    virtual ~ILogEvents() = default;
    // The main window caption shows whether and since when the log is open.
    virtual void RefreshTitle() = 0;
    // The log chosen could not be opened, or a write failed and the log has closed itself.
    virtual void ShowWriteError(std::string_view message) = 0;
    // The "Log File Settings" dialog; true on OK (it has then saved the "Logging" section).
    virtual bool RunSettingsDialog() = 0;
};

class CLogFile {
public:
    static constexpr std::time_t kAutoSaveSeconds = 600;

    CLogFile(const CProfile& profile, const IClock& clock, ILogEvents& events);
    // An open log is flushed and closed without its closing line.
    ~CLogFile() = default;
    CLogFile(const CLogFile&) = delete;
    CLogFile& operator=(const CLogFile&) = delete;

    bool IsOpen() const { return m_open; }

    // Closes an open log, runs the settings dialog and on OK reloads the "Logging" settings.
    bool SettingsDialog();
    // Opens the log named in the settings, first asking through the settings dialog when ask
    // is set (a file chosen there that does not open is told with the reason). The file must
    // exist. Returns whether the log is open.
    bool Open(bool ask);
    // Opens the log on the given file instead of the one the settings name.
    bool OpenFile(const std::string& fileName);
    void Close();

    // Writes the text unchanged when the log is open. Always 1.
    int WriteLine(std::string_view text);
    // Writes the record's text and a line end when its type is selected, then auto-saves
    // when due.
    void LogRecord(const CMessageRecord& record, int generation);
    // Hands the buffered lines to the file.
    void Flush();

    // When the log was last opened, closed or auto-saved.
    std::time_t MarkTime() const { return m_markTime; }
    const std::string& FileName() const { return m_settings.logFileName; }
    // The errno of the failure that kept the log from opening or stopped it; 0 after an open
    // that succeeded and no failure since.
    int Failure() const { return m_failure; }
    // That failure in words.
    std::string FailureReason() const;

private:
    // Opens the file, noting why when it cannot.
    void OpenNamed(const std::string& fileName);
    // Marks the time, writes the opening line when open and refreshes the title.
    bool Opened();
    bool Put(std::string_view text);
    void AutoSave();
    void StopOnWriteError();

    const CProfile& m_profile;
    const IClock& m_clock;
    ILogEvents& m_events;

    std::time_t m_markTime = 0;
    Settings m_settings;
    bool m_open = false;
    int m_failure = 0;
    CAppendFile m_file;
    std::string m_line;  // the rendered record, reused
};

}  // namespace kestrion
