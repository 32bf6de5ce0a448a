#include "app/Engine.h"

#include "app/ExportFiles.h"
#include "app/LocalTime.h"
#include "app/PlaybackPosition.h"
#include "dialogs/RelayPortDialog.h"
#include "dialogs/ShareReceiverDialog.h"
#include "platform/Settings.h"
#include "platform/TcpListener.h"
#include "platform/SerialPorts.h"
#include "transport/SerialSource.h"
#include "transport/FeedEvents.h"

namespace kestrion {

CEngine::CEngine(CProfile profile, IUserInterface& ui, ISystemTimers& systemTimers, const IClock& clock,
                 ISerialDeviceFactory& serialDevices, IRandomGenerator& generator)
    : m_timerService(systemTimers, [this] { return m_dataSourceOpen; }),
      m_services(std::move(profile), ui, m_timerService, clock, serialDevices, generator, *this),
      m_relay(m_services.SerialDevices(), ui),
      m_fixRecorder(m_services.Profile(), ui, [this] { return m_document && m_document->TruthInUse(); }),
      m_clock(clock)
{
}

CEngine::~CEngine()
{
    m_relay.Stop();
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
    m_document = std::make_unique<CFeedDoc>(m_services.Feeds(), *this);
    m_services.AddDocument(*m_document);
    m_document->AddView(m_fixRecorder);
    // The answer comes inside the serial port's tick; its dialog runs at the next turn of
    // the loop, where a reconnect or a nested event loop cannot pull the port from under it.
    m_document->MeasuredFeed().SetPollAnswerHandler([this](uint8_t subId, std::span<const uint8_t> record) {
        m_pollAnswers.emplace_back(subId, std::vector<uint8_t>(record.begin(), record.end()));
        PostFrameMessage(FrameMessage::PollAnswered);
    });
}

void CEngine::CloseDocument()
{
    CFeedDoc* document = m_document.get();
    m_services.RemoveDocument(*document);
    document->CloseDocument();  // sends DocumentClosed, which lets go of the document
    m_closedDocument.reset();
}

void CEngine::ToggleDataSource()
{
    if (m_dataSourceOpen) {
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
    OpenDataSourceWithLog();
}

void CEngine::OpenDataSourceWithLog()
{
    if (!m_document) {
        CreateDocument();
    }
    m_endedFile.clear();
    m_dataSourceOpen = m_document->OpenFeeds();
    // A text file's source is gone by the time its end is handled.
    const CSource* source = m_document->MeasuredFeed().Source();
    m_openedSource = source != nullptr ? source->Name() : std::string();
    m_openSourceImage = m_dataSourceOpen ? kImageSourceOpen : kImageSourceClosed;
}

void CEngine::CloseDataSource()
{
    m_streams.StopRecording();
    Log().Close();
    m_dataSourceOpen = false;
    m_pollAnswers.clear();  // their dialogs would open on a closed source
    if (m_displayPaused) {
        TogglePause();
    }
    if (m_document) {
        m_document->StopFeeds();
    }
    m_openSourceImage = kImageSourceClosed;
}

void CEngine::TogglePause()
{
    m_displayPaused = !m_displayPaused;
    if (m_document) {
        m_document->SetPause(m_displayPaused);
    }
    if (!m_displayPaused) {
        m_pauseImage = kImagePause;
    }
}

void CEngine::ToggleLog()
{
    if (Log().IsOpen()) {
        Log().Close();
        return;
    }
    if (!Log().Open(true) || !m_dataSourceOpen || !m_document) {
        return;
    }
    // The new log begins with the receiver's version and navigation parameters.
    m_commands.Run(ID_POLL_VERSION, m_document->MeasuredFeed(), true);
    m_commands.Run(ID_POLL_NAV_PARAMETERS, m_document->MeasuredFeed(), true);
}

void CEngine::ToggleRelay()
{
    if (m_relay.Running()) {
        m_relay.Stop();
        return;
    }
    const auto serialSource = [this] {
        return m_document ? dynamic_cast<CSerialSource*>(m_document->MeasuredFeed().Source()) : nullptr;
    };
    if (serialSource() == nullptr) {
        return;
    }
    CRelayPortDialog dialog(m_services.Ui(), ListSerialPorts());
    // The source is looked up again: the port may have been reopened while the dialog showed.
    CSerialSource* serial = m_services.Ui().RunDialog(dialog) ? serialSource() : nullptr;
    if (serial != nullptr) {
        m_relay.Start(dialog.PortName(), serial->Port());
    }
}

bool CEngine::PortSource()
{
    return m_document && dynamic_cast<CSerialSource*>(m_document->MeasuredFeed().Source()) != nullptr;
}

void CEngine::ToggleRawRecording()
{
    if (m_streams.Recording()) {
        m_streams.StopRecording();
        return;
    }
    if (!m_dataSourceOpen || !PortSource()) {
        return;
    }
    FileChooser chooser;
    chooser.mode = FileChooser::Mode::Save;
    chooser.title = "Record Raw Data";
    chooser.filter = "Raw Receiver Data (*.bin)|*.bin|All Files (*.*)|*.*||";
    chooser.defaultName = "receiver-" + FormatLocalTime("%Y%m%d-%H%M%S", m_clock.Now()) + ".bin";
    const std::string path = m_services.Ui().ChooseFile(chooser);
    if (path.empty()) {
        return;
    }
    if (const std::string error = m_streams.StartRecording(path); !error.empty()) {
        m_services.MessageBox(error, BoxButtons::Ok, BoxIcon::Warning);
    }
}

void CEngine::ToggleSharing()
{
    if (m_streams.Sharing()) {
        m_streams.StopSharing();
        return;
    }
    Settings settings;
    settings.LoadShare(m_services.Profile());
    const auto check = [](const std::string& address) {
        std::string error;
        return ParseListenAddress(address, error) ? std::string() : error;
    };
    CShareReceiverDialog dialog(m_services.Ui(), settings.shareAddress, settings.shareCommands != 0, check);
    if (!m_services.Ui().RunDialog(dialog)) {
        return;
    }
    settings.shareAddress = dialog.Address();
    settings.shareCommands = dialog.AllowCommands() ? 1 : 0;
    settings.SaveShare(m_services.Profile());
    if (const std::string error = m_streams.StartSharing(dialog.Address(), dialog.AllowCommands()); !error.empty()) {
        m_services.MessageBox(error, BoxButtons::Ok, BoxIcon::Warning);
    }
}

std::string CEngine::ActivityText()
{
    std::vector<std::string> parts;
    CSource* source = m_document && m_dataSourceOpen ? m_document->MeasuredFeed().Source() : nullptr;
    if (IReplayControl* replay = source != nullptr ? source->Replay() : nullptr) {
        const ReplayPosition position = replay->Position();
        const bool atEnd = position.total > 0 && position.at >= position.total;
        parts.push_back(atEnd ? PlayedToEndText(source->Name()) : PlayingStatusText(source->Name(), position));
    } else if (!m_dataSourceOpen && !m_endedFile.empty()) {
        parts.push_back(PlayedToEndText(m_endedFile));
    }
    if (m_streams.Recording()) {
        parts.push_back(RecordingStatusText(m_streams.RecordingPath()));
    }
    if (m_streams.Sharing()) {
        const size_t clients = m_streams.SharingClients();
        parts.push_back("Sharing on " + m_streams.SharingAddress() + ", " + std::to_string(clients) +
                        (clients == 1 ? " client" : " clients"));
    }
    std::string text;
    for (const std::string& part : parts) {
        text += (text.empty() ? "" : " | ") + part;
    }
    return text;
}

void CEngine::Execute(int commandId)
{
    const CommandInfo* command = FindCommand(commandId);
    if (command == nullptr) {
        return;
    }
    switch (commandId) {
    case ID_OPEN_DATA_SOURCE: ToggleDataSource(); return;
    case ID_OPEN_LOG_FILE: ToggleLog(); return;
    case ID_PAUSE_DISPLAY: TogglePause(); return;
    case ID_BREVANE: ToggleRelay(); return;
    case ID_RECORD_RAW_DATA: ToggleRawRecording(); return;
    case ID_SHARE_RECEIVER: ToggleSharing(); return;
    case ID_RECEIVER_SOFTWARE:
        if (!m_services.Protocol().selectionDialogOpen) {
            m_services.PromptSoftwareSelection();
        }
        return;
    default: break;
    }
    if (command->handler == Handler::Receiver && m_document) {
        m_commands.Run(commandId, m_document->MeasuredFeed(), m_dataSourceOpen);
    }
}

FrameState CEngine::State()
{
    FrameState state;
    state.sourceOpen = m_dataSourceOpen;
    state.nmeaMode = m_nmeaDisplayMode;
    state.generation = m_services.Protocol().generation;
    state.logOpen = m_services.Log().IsOpen();
    state.paused = m_displayPaused;
    state.deadReckoningSeen = m_services.Protocol().deadReckoningSeen;
    state.relayRunning = m_relay.Running();
    state.portSource = PortSource();
    state.recording = m_streams.Recording();
    state.sharing = m_streams.Sharing();
    return state;
}

void CEngine::SetShowView(std::function<void(int slot)> showView)
{
    m_commands.SetShowView(std::move(showView));
}

void CEngine::ProcessPostedMessages()
{
    // The log on disk keeps up with every turn of the loop.
    Log().Flush();
    m_streams.PassOnNews();
    BlinkPause(m_services.TakeDataActivity());
    // Handling a message may post more; those wait for the next turn.
    for (size_t pending = m_posted.size(); pending > 0 && !m_posted.empty(); --pending) {
        const FrameMessage message = m_posted.front();
        m_posted.pop_front();
        HandleFrameMessage(message);
    }
}

void CEngine::BlinkPause(int activity)
{
    if (m_displayPaused && activity % 2 != 0) {
        m_pauseImage = m_pauseImage == kImagePause ? kImagePauseBlink : kImagePause;
    }
}

void CEngine::HandleFrameMessage(FrameMessage message)
{
    switch (message) {
    case FrameMessage::DocumentClosed:
        if (m_documentClosed) {
            m_documentClosed();
        }
        m_closedDocument = std::move(m_document);
        if (m_dataSourceOpen) {
            CloseDataSource();
        }
        break;
    case FrameMessage::FeedRefresh:
        m_services.Broadcast(FeedEvent::FeedRefresh, nullptr);
        break;
    case FrameMessage::SourceEnded:
        if (m_dataSourceOpen) {
            m_endedFile = m_openedSource;
            if (m_sourceEnded) {
                m_sourceEnded();
            }
            CloseDataSource();
        }
        break;
    case FrameMessage::PollAnswered:
        if (!m_pollAnswers.empty()) {
            const auto [subId, record] = std::move(m_pollAnswers.front());
            m_pollAnswers.pop_front();
            if (m_document) {
                m_commands.PollAnswered(m_document->MeasuredFeed(), subId, record);
            }
        }
        break;
    case FrameMessage::AlmanacComplete:
        WriteExportFile(true);
        break;
    case FrameMessage::EphemerisComplete:
        WriteExportFile(false);
        break;
    }
}

void CEngine::EnterNmeaDisplayMode()
{
    if (!m_nmeaDisplayMode) {
        m_nmeaViewsArranged = true;
        m_nmeaDisplayMode = true;
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
