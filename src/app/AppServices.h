#pragma once
// The application's program-wide services: the broadcast of feed events to the documents,
// the posting of texts to the views, the data-received flag and the guarded message box, the
// log, the window title, and the protocol state every decoder shares.
#include <string>
#include <vector>

#include "app/FrameMessages.h"
#include "app/LogFile.h"
#include "platform/Clock.h"
#include "platform/SerialDevice.h"
#include "transport/FeedServices.h"

namespace kestrion {

class CAppServices : public IFeedServices, public IProtocolHost, public ILogEvents {
public:
    CAppServices(CProfile profile, IUserInterface& ui, ITimerService& timers, const IClock& clock,
                 ISerialDeviceFactory& serialDevices, IRandomGenerator& generator, IMainFrame& frame);

    void AddDocument(CFeedDoc& document);
    void RemoveDocument(CFeedDoc& document);

    // IFeedServices
    void Broadcast(int code, int value, const CMessageRecord* record) override;
    void LogRecord(const CMessageRecord& record) override;
    void RefreshTitle() override;
    BoxAnswer MessageBox(std::string_view text, BoxButtons buttons, BoxIcon icon) override;
    void GuardedMessageBox(std::string_view text, BoxButtons buttons, BoxIcon icon) override;
    ITimerService& Timers() override { return m_timers; }
    CMessageDecoder& Decoder() override { return m_decoder; }
    const CProfile& Profile() const override { return m_profile; }
    ISerialDeviceFactory& SerialDevices() override { return m_serialDevices; }
    CReceiveTaps& MeasuredTaps() override { return m_measuredTaps; }
    void PromptSoftwareSelection() override { m_ui.RunSoftwareSelection(); }
    RandomState& Random() override { return m_random; }
    IRandomGenerator& RandomGenerator() override { return m_generator; }
    PeriodicReset& Reset() override { return m_reset; }
    const IClock& Clock() const override { return m_clock; }

    // IProtocolHost
    void WriteLog(std::string_view line) override;
    void PostFaultText(std::string_view text) override { PostText(text, kFaultMarker); }
    void PostReceiverText(std::string_view text) override { PostText(text, 0); }
    void SetDataReceived() override { m_dataReceived = 1; }
    void DataActivity() override;
    void AlmanacComplete() override;
    void EphemerisComplete() override;
    void EnterNmeaDisplayMode() override { m_frame.EnterNmeaDisplayMode(); }
    void LeaveNmeaDisplayMode() override { m_frame.LeaveNmeaDisplayMode(); }
    void PollSoftwareVersion() override;

    // ILogEvents
    void ShowWriteError(std::string_view message) override;
    bool RunSettingsDialog() override;

    // The caption: data source, and the log while it is open.
    std::string Title() const;

    ProtocolState& Protocol() { return m_protocol; }
    CLogFile& Log() { return m_log; }
    IUserInterface& Ui() { return m_ui; }
    int DataReceived() const { return m_dataReceived; }

    // Set by the almanac and ephemeris polls; the complete set is then written to this file.
    std::string almanacOutputName;
    std::string ephemerisOutputName;

private:
    void PostText(std::string_view text, uint16_t marker);

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
    int m_dataReceived = 1;
    bool m_guardedBoxOpen = false;
};

}  // namespace kestrion
