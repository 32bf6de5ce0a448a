#pragma once
// The console's engine without a window: the main frame's state and routing (data source,
// pause, NMEA display mode, the custom frame messages), the timer service, the program-wide
// services and the one current document. The console's window and kestrion-cli drive it.
#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "app/AppServices.h"
#include "app/CommandTable.h"
#include "app/FeedDoc.h"
#include "app/FixRecorder.h"
#include "app/FrameMessages.h"
#include "app/ReceiverCommands.h"
#include "app/StreamOutputs.h"
#include "app/TimerService.h"
#include "transport/RelayLink.h"

namespace kestrion {

class CEngine : public IMainFrame {
public:
    // Toolbar images of the Open Data Source and Pause Display buttons.
    static constexpr int kImageSourceClosed = 4;
    static constexpr int kImageSourceOpen = 9;
    static constexpr int kImagePause = 5;
    static constexpr int kImagePauseBlink = 8;

    // The owner gives the clock and the devices serial ports open: the program's own, or a
    // test's scripted ones.
    CEngine(CProfile profile, IUserInterface& ui, ISystemTimers& systemTimers, const IClock& clock,
            ISerialDeviceFactory& serialDevices, IRandomGenerator& generator);
    ~CEngine() override;
    CEngine(const CEngine&) = delete;
    CEngine& operator=(const CEngine&) = delete;

    // Replaces the current document (closing the old one and its data source) by a new one.
    void CreateDocument();
    // "Open Data Source": opens when closed, closes when open.
    void ToggleDataSource();
    // Opens the data source keeping the log that is open, without asking: the headless runs
    // choose their log beforehand.
    void OpenDataSourceWithLog();
    void TogglePause();
    // "Open Log &File...": closes an open log, else asks for one and opens it.
    void ToggleLog();
    // "&Brevane": stops a running relay link, else asks for its port and starts it.
    void ToggleRelay();
    // "Record Raw Data...": stops the recording, else asks for its file and starts it. A
    // recording ends with the data source.
    void ToggleRawRecording();
    // "Share Receiver...": stops sharing, else asks where to listen and starts it.
    void ToggleSharing();
    // Carries out a command of the table that the engine or the receiver handles; the window
    // handles the others. Commands are carried out whatever their enabled rule says: callers
    // ask IsEnabled first.
    void Execute(int commandId);
    // The update rules' view of the engine; the window adds its views.
    FrameState State();
    // How the engine shows a view slot (the poll commands show the response view).
    void SetShowView(std::function<void(int slot)> showView);
    // Called when the current document has closed, before its data source closes: the window
    // drops the views it made for it.
    void SetDocumentClosed(std::function<void()> documentClosed) { m_documentClosed = std::move(documentClosed); }
    // Called when the data source has ended (a recording's end), before it closes.
    void SetSourceEnded(std::function<void()> sourceEnded) { m_sourceEnded = std::move(sourceEnded); }
    // Blinks the paused display for the data activity since the last turn of the loop, then
    // handles the frame messages queued since then.
    void ProcessPostedMessages();

    bool DataSourceOpen() const { return m_dataSourceOpen; }
    bool NmeaDisplayMode() const { return m_nmeaDisplayMode; }
    // The views are arranged for NMEA once per run, at the first sentence.
    bool NmeaViewsArranged() const { return m_nmeaViewsArranged; }
    int OpenSourceImage() const { return m_openSourceImage; }
    int PauseImage() const { return m_pauseImage; }
    const std::string& Title() const { return m_title; }

    CTimerService& TimerService() { return m_timerService; }
    CAppServices& Services() { return m_services; }
    CLogFile& Log() { return m_services.Log(); }
    // The fixes seen since the data source opened, and their accuracy figures.
    CFixRecorder& FixRecorder() { return m_fixRecorder; }
    // The raw recording and the sharing of the measured receiver.
    CStreamOutputs& Streams() { return m_streams; }
    // The measured data source reads a serial port or a network receiver.
    bool PortSource();
    // What plays, records and shares, for the status bar: "Playing rec.bin 12:34 / 4:00:00 |
    // Sharing on tcp://127.0.0.1:5000, 1 client"; empty when nothing does.
    std::string ActivityText();

    // IMainFrame
    void SendFrameMessage(FrameMessage message) override { HandleFrameMessage(message); }
    void PostFrameMessage(FrameMessage message) override { m_posted.push_back(message); }
    CFeedDoc* CurrentDocument() override { return m_document.get(); }
    void EnterNmeaDisplayMode() override;
    void LeaveNmeaDisplayMode() override { m_nmeaDisplayMode = false; }
    void SetTitle(const std::string& title) override { m_title = title; }

private:
    void HandleFrameMessage(FrameMessage message);
    // Each activity while paused alternates the Pause Display image.
    void BlinkPause(int activity);
    void OpenDataSource();
    void CloseDataSource();
    void CloseDocument();
    void WriteExportFile(bool almanac);

    CTimerService m_timerService;
    CAppServices m_services;
    CReceiverCommands m_commands{m_services};
    CStreamOutputs m_streams{m_services};
    CRelayLink m_relay;
    CFixRecorder m_fixRecorder;
    const IClock& m_clock;
    std::unique_ptr<CFeedDoc> m_document;
    std::unique_ptr<CFeedDoc> m_closedDocument;  // kept until its close call has returned
    std::deque<FrameMessage> m_posted;
    std::function<void()> m_documentClosed;
    std::function<void()> m_sourceEnded;
    std::deque<std::pair<uint8_t, std::vector<uint8_t>>> m_pollAnswers;
    bool m_dataSourceOpen = false;
    bool m_displayPaused = false;
    bool m_nmeaDisplayMode = false;
    bool m_nmeaViewsArranged = false;
    int m_openSourceImage = kImageSourceClosed;
    int m_pauseImage = kImagePause;
    std::string m_title;
    std::string m_openedSource;  // the measured source's name as it opened
    std::string m_endedFile;     // the recording that played to its end and closed, until the next opening
};

}  // namespace kestrion
