#include "app/AppServices.h"

#include <algorithm>

#include "app/FeedDoc.h"
#include "app/LocalTime.h"
#include "platform/Settings.h"
#include "platform/Version.h"
#include "transport/FeedEvents.h"
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

void CAppServices::Broadcast(int code, int value, const CMessageRecord* record)
{
    // A document may close while it handles the event.
    const std::vector<CFeedDoc*> documents = m_documents;
    for (CFeedDoc* document : documents) {
        if (std::find(m_documents.begin(), m_documents.end(), document) != m_documents.end()) {
            document->Notify(code, value, record);
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
    if (m_guardedBoxOpen || m_dataReceived == 0) {
        return;
    }
    m_dataReceived = 0;
    m_guardedBoxOpen = true;
    m_ui.MessageBox(text, buttons, icon);
    m_guardedBoxOpen = false;
}

void CAppServices::WriteLog(std::string_view line)
{
    m_log.WriteLine(line);
}

void CAppServices::DataActivity()
{
    Broadcast(WMU_DATA_ACTIVITY, 0, nullptr);
}

void CAppServices::AlmanacComplete()
{
    if (!almanacOutputName.empty()) {
        m_frame.PostFrameMessage(WMU_ALMANAC_COMPLETE);
    }
}

void CAppServices::EphemerisComplete()
{
    if (!ephemerisOutputName.empty()) {
        m_frame.PostFrameMessage(WMU_EPHEMERIS_COMPLETE);
    }
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
    return m_ui.RunLogFileSettings();
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
    document->UpdateAllViews(kHintRecord, &m_postedText);
}

}  // namespace kestrion
