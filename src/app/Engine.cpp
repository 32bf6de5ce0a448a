#include "app/Engine.h"

#include "app/ExportFiles.h"
#include "transport/FeedEvents.h"

namespace kestrion {

CEngine::CEngine(CProfile profile, IUserInterface& ui, ISystemTimers& systemTimers, const IClock& clock,
                 IRandomGenerator& generator)
    : m_timerService(systemTimers, [this] { return m_dataSourceOpen != 0; }),
      m_services(std::move(profile), ui, m_timerService, clock, generator, *this),
      m_clock(clock)
{
}

CEngine::~CEngine()
{
    if (m_document) {
        m_document->StopFeeds();
        CloseDocument();
    }
}

void CEngine::CreateDocument()
{
    if (m_document) {
        CloseDocument();
    }
    m_document = std::make_unique<CFeedDoc>(m_services, *this);
    m_services.AddDocument(*m_document);
}

void CEngine::CloseDocument()
{
    CFeedDoc* document = m_document.get();
    m_services.RemoveDocument(*document);
    document->CloseDocument();  // sends WMU_DOCUMENT_CLOSED, which lets go of the document
    m_closedDocument.reset();
}

void CEngine::ToggleDataSource()
{
    if (m_dataSourceOpen != 0) {
        CloseDataSource();
    } else {
        OpenDataSource();
    }
}

void CEngine::OpenDataSource()
{
    if (Log().IsOpen()) {
        const BoxAnswer answer = m_services.MessageBox("Do you want to open a different log file?",
                                                       BoxButtons::YesNoCancel, BoxIcon::Question);
        if (answer == BoxAnswer::Cancel) {
            return;
        }
        if (answer == BoxAnswer::Yes) {
            Log().Open(true);
        }
    }
    if (!m_document) {
        CreateDocument();
    }
    m_dataSourceOpen = m_document->OpenFeeds();
    m_openSourceImage = m_dataSourceOpen != 0 ? kImageSourceOpen : kImageSourceClosed;
}

void CEngine::CloseDataSource()
{
    Log().Close();
    m_dataSourceOpen = 0;
    if (m_displayPaused != 0) {
        TogglePause();
    }
    if (m_document) {
        m_document->StopFeeds();
    }
    m_openSourceImage = kImageSourceClosed;
}

void CEngine::TogglePause()
{
    m_displayPaused = m_displayPaused != 0 ? 0 : 1;
    if (m_document) {
        m_document->SetPause(m_displayPaused);
    }
    if (m_displayPaused == 0) {
        m_pauseImage = kImagePause;
    }
}

void CEngine::ProcessPostedMessages()
{
    // The log on disk keeps up with every turn of the loop.
    Log().Flush();
    // Handling a message may post more; those wait for the next turn.
    for (size_t pending = m_posted.size(); pending > 0 && !m_posted.empty(); --pending) {
        const int message = m_posted.front();
        m_posted.pop_front();
        HandleFrameMessage(message);
    }
}

void CEngine::HandleFrameMessage(int message)
{
    switch (message) {
    case WMU_DOCUMENT_CLOSED:
        m_closedDocument = std::move(m_document);
        if (m_dataSourceOpen != 0) {
            CloseDataSource();
        }
        break;
    case WMU_FEED_REFRESH:
        m_services.Broadcast(WMU_FEED_REFRESH, 0, nullptr);
        break;
    case WMU_SOURCE_ENDED:
        if (m_dataSourceOpen != 0) {
            CloseDataSource();
        }
        break;
    case WMU_DATA_ACTIVITY:
        if (m_displayPaused != 0) {
            m_pauseImage = m_pauseImage == kImagePause ? kImagePauseBlink : kImagePause;
        }
        break;
    case WMU_ALMANAC_COMPLETE:
        WriteExportFile(true);
        break;
    case WMU_EPHEMERIS_COMPLETE:
        WriteExportFile(false);
        break;
    default:
        break;
    }
}

void CEngine::EnterNmeaDisplayMode()
{
    if (m_nmeaDisplayMode == 0) {
        m_nmeaViewsArranged = true;
        m_nmeaDisplayMode = 1;
    }
}

void CEngine::WriteExportFile(bool almanac)
{
    const GuardedBox guardedBox = [this](std::string_view text, BoxButtons buttons, BoxIcon icon) {
        m_services.GuardedMessageBox(text, buttons, icon);
    };
    if (almanac) {
        ExportAlmanac(m_services.Protocol(), m_services.almanacOutputName, m_clock, m_services.Ui(), guardedBox);
    } else {
        ExportEphemeris(m_services.Protocol(), m_services.ephemerisOutputName, m_clock, m_services.Ui(),
                        guardedBox);
    }
}

}  // namespace kestrion
