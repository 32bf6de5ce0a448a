#pragma once
// The application's program-wide services: the broadcast of feed events to the documents,
// the posting of texts to the views, the data-received flag and the guarded message box, the
// log, the window title, the count of data activity, and the protocol state every decoder
// shares. Feeds and sources reach it through the narrow interfaces of FeedServices.
#include <string>
#include <utility>
#include <vector>

#include "app/FrameMessages.h"
#include "app/LogFile.h"
#include "platform/Clock.h"
#include "platform/SerialDevice.h"
#include "transport/FeedServices.h"

namespace kestrion {

class CAppServices : public IFeedEventSink,
                     public IMessageBoxes,
                     public ISerialServices,
                     public IProtocolHost,
                     public ILogEvents {
public:
    CAppServices(CProfile profile, IUserInterface& ui, ITimerService& timers, const IClock& clock,
                 ISerialDeviceFactory& serialDevices, IRandomGenerator& generator, IMainFrame& frame);

    void AddDocument(CFeedDoc& document);
    void RemoveDocument(CFeedDoc& document);

    // What the feeds of a document use.
    FeedServices Feeds();

    // IFeedEventSink
    void Broadcast(FeedEvent event, const CMessageRecord* record) override;
    void LogRecord(const CMessageRecord& record) override;
    void RefreshTitle() override;
    // Also IProtocolHost's: a chunk with bytes is about to be framed.
    void DataActivity() override { ++m_dataActivity; }

    // IMessageBoxes
    BoxAnswer MessageBox(std::string_view text, BoxButtons buttons, BoxIcon icon) override;
    void GuardedMessageBox(std::string_view text, BoxButtons buttons, BoxIcon icon) override;

    // ISerialServices
    ISerialDeviceFactory& SerialDevices() override { return m_serialDevices; }
    CReceiveTaps& MeasuredTaps() override { return m_measuredTaps; }
    // The "Selection of Target Receiver Software" dialog on the program's protocol state.
    void PromptSoftwareSelection() override;
    PeriodicReset& Reset() override { return m_reset; }
    const IClock& Clock() const override { return m_clock; }

    // IProtocolHost
    void WriteLog(std::string_view line) override;
    void PostFaultText(std::string_view text) override { PostText(text, kFaultMarker); }
    void PostReceiverText(std::string_view text) override { PostText(text, 0); }
    void SetDataReceived() override { m_dataReceived = true; }
    void AlmanacComplete() override;
    void EphemerisComplete() override;
    // A sentence enters the frame's NMEA display mode, a binary message leaves it; the measured
    // feed asks for the software version when the record says it is due.
    void RecordImplied(const RecordImplications& implied) override;

    // ILogEvents
    void ShowWriteError(std::string_view message) override;
    bool RunSettingsDialog() override;

    // The caption: data source, and the log while it is open.
    std::string Title() const;

    // The data activity since the last call.
    int TakeDataActivity() { return std::exchange(m_dataActivity, 0); }

    const CProfile& Profile() const { return m_profile; }
    ProtocolState& Protocol() { return m_protocol; }
    CLogFile& Log() { return m_log; }
    IUserInterface& Ui() { return m_ui; }

    // Set by the almanac and ephemeris polls; the complete set is then written to this file.
    std::string almanacOutputName;
    std::string ephemerisOutputName;

private:
    void PostText(std::string_view text, uint16_t marker);
    void PollSoftwareVersion();

    CProfile m_profile;
    IUserInterface& m_ui;
    ITimerService& m_timers;
    const IClock& m_clock;
    ISerialDeviceFactory& m_serialDevices;
    IRandomGenerator& m_generator;
    IMainFrame& m_frame;
    ProtocolState m_protocol;
    CMessageDecoder m_decoder{m_protocol, *this};
    RandomState m_random;
    PeriodicReset m_reset;
    CReceiveTaps m_measuredTaps;
    CLogFile m_log;
    std::vector<CFeedDoc*> m_documents;
    CMessageRecord m_postedText;
    bool m_dataReceived = true;
    int m_dataActivity = 0;
    bool m_guardedBoxOpen = false;
};

}  // namespace kestrion
