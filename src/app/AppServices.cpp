#include "app/AppServices.h"

#include <algorithm>

#include "app/FeedDoc.h"
#include "app/LocalTime.h"
#include "dialogs/LogFileSettings.h"
#include "dialogs/SoftwareSelection.h"
#include "platform/Settings.h"
#include "platform/Version.h"
#include "app/DocumentView.h"

namespace kestrion {

CAppServices::CAppServices(CProfile profile, IUserInterface& ui, ITimerService& timers, const IClock& clock,
                           ISerialDeviceFactory& serialDevices, IRandomGenerator& generator, IMainFrame& frame)
    : m_profile(std::move(profile)),
      m_ui(ui),
      m_timers(timers),
      m_clock(clock),
      m_serialDevices(serialDevices),
      m_generator(generator),
      m_frame(frame),
      m_log(m_profile, clock, *this)
{
}

void CAppServices::AddDocument(CFeedDoc& document)
{
    m_documents.push_back(&document);
}

void CAppServices::RemoveDocument(CFeedDoc& document)
{
    std::erase(m_documents, &document);
}

FeedServices CAppServices::Feeds()
{
    return FeedServices{*this, *this, m_timers, m_decoder, m_profile, *this, m_random, m_generator};
}

void CAppServices::Broadcast(FeedEvent event, const CMessageRecord* record)
{
    // A document may close while it handles the event.
    const std::vector<CFeedDoc*> documents = m_documents;
    for (CFeedDoc* document : documents) {
        if (std::find(m_documents.begin(), m_documents.end(), document) != m_documents.end()) {
            document->Notify(event, record);
        }
    }
}

void CAppServices::LogRecord(const CMessageRecord& record)
{
    m_log.LogRecord(record, m_protocol.generation);
}

void CAppServices::RefreshTitle()
{
    m_frame.SetTitle(Title());
}

std::string CAppServices::Title() const
{
    std::string title = std::string(kProgramTitle) + " on " +
                        Settings::StoredText(m_profile, &Settings::measSerialPort) + "/" +
                        Settings::StoredText(m_profile, &Settings::measSerialBaud);
    if (m_log.IsOpen()) {
        title += " -> " + Settings::StoredText(m_profile, &Settings::logFileName) + " since " +
                 FormatLocalTime("%c", m_log.MarkTime());
    }
    return title;
}

BoxAnswer CAppServices::MessageBox(std::string_view text, BoxButtons buttons, BoxIcon icon)
{
    return m_ui.MessageBox(text, buttons, icon);
}

void CAppServices::GuardedMessageBox(std::string_view text, BoxButtons buttons, BoxIcon icon)
{
    if (m_guardedBoxOpen || !m_dataReceived) {
        return;
    }
    m_dataReceived = false;
    m_guardedBoxOpen = true;
    m_ui.MessageBox(text, buttons, icon);
    m_guardedBoxOpen = false;
}

void CAppServices::WriteLog(std::string_view line)
{
    m_log.WriteLine(line);
}

void CAppServices::AlmanacComplete()
{
    if (!almanacOutputName.empty()) {
        m_frame.PostFrameMessage(FrameMessage::AlmanacComplete);
    }
}

void CAppServices::EphemerisComplete()
{
    if (!ephemerisOutputName.empty()) {
        m_frame.PostFrameMessage(FrameMessage::EphemerisComplete);
    }
}

void CAppServices::RecordImplied(const RecordImplications& implied)
{
    if (implied.nmeaSeen) {
        m_frame.EnterNmeaDisplayMode();
    } else if (implied.binarySeen) {
        m_frame.LeaveNmeaDisplayMode();
    }
    if (implied.versionPollDue) {
        PollSoftwareVersion();
    }
}

void CAppServices::PromptSoftwareSelection()
{
    CSoftwareSelection dialog(m_ui, m_protocol);
    m_ui.RunDialog(dialog);
}

void CAppServices::PollSoftwareVersion()
{
    if (CFeedDoc* document = m_frame.CurrentDocument()) {
        document->MeasuredFeed().PollSoftwareVersion();
    }
}

void CAppServices::ShowWriteError(std::string_view message)
{
    m_ui.MessageBox(message, BoxButtons::Ok, BoxIcon::Error);
}

bool CAppServices::RunSettingsDialog()
{
    CLogFileSettings dialog(m_ui, m_profile);
    return m_ui.RunDialog(dialog);
}

void CAppServices::PostText(std::string_view text, uint16_t marker)
{
    CFeedDoc* document = m_frame.CurrentDocument();
    if (document == nullptr) {
        return;
    }
    m_postedText.Reset(255);
    m_postedText.SetText(text);
    m_postedText.faultMarker = marker;
    document->UpdateAllViews(UpdateHint::Record, &m_postedText);
}

}  // namespace kestrion
