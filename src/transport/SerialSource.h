#pragma once
// A receiver on a serial port: the port's reader and 50 ms tick bring the bytes, the framer
// cuts them into messages whose records go to the owning feed; commands leave through the
// port. A one-second tick resends the receiver initialisation periodically (measured feed
// only) and prompts for the receiver software generation when it stays unknown.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "platform/Profile.h"
#include "platform/Timers.h"
#include "protocol/RecordDelivery.h"
#include "protocol/SerialFramer.h"
#include "transport/MessageBoxes.h"
#include "transport/SerialPort.h"
#include "transport/SerialServices.h"
#include "transport/Source.h"

namespace kestrion {

class CMeasuredFeed;

class CSerialSource : public CSource, public ITickReceiver, public IReceiverLink, private ISerialReceiver {
public:
    static constexpr int kSecondMs = 1000;
    static constexpr int kPromptAfterTicks = 5;

    // The port name and its line as the settings give them (empty texts are not applied).
    // Devices come from the serial services' device factory.
    CSerialSource(CFeed& owner, IMessageBoxes& boxes, ITimerService& timers, CMessageDecoder& decoder,
                  const CProfile& profile, ISerialServices& serial, std::string port, SerialSettings line);
    ~CSerialSource() override;

    // Opens the port; its error text goes to a message box and the result is 0.
    int Open(int role, const std::string& name) override;
    // Opens the port without the box; the caller reports LastError().
    int OpenQuietly(int role, const std::string& name);
    // The error text of the last open, empty after a successful one.
    const std::string& LastError() const { return m_lastError; }
    // Forgets any partial message and the received bytes not yet framed.
    void Start() override { Restart(); }
    // Stops the one-second tick and closes the port; always 1.
    int Close() override;
    void Restart() override;
    // Frames the payload (MID first) and sends it; logged when written.
    void SendCommand(const uint8_t* payload, size_t length) override;
    // Wraps the body as an NMEA sentence and sends it.
    void SendNmea(const char* body) override;

    // The one-second tick: the periodic reset, then the automatic software selection prompt.
    void Tick(int tickCode) override;

    uint8_t OkToSend() const { return m_port.OkToSend(); }

    // IReceiverLink: the record's OK-to-send flag goes to the port.
    void RecordDecoded(const RecordImplications& implied) override;
    std::span<int, 8> PollCountdowns() override { return m_countdowns; }
    // Handed to the measured feed; a truth feed polls nothing.
    void PollAnswered(uint8_t subId, std::span<const uint8_t> answer) override;
    bool FeedPaused() const override;

    CSerialPort& Port() { return m_port; }

private:
    // ISerialReceiver: the port's tick on the GUI thread.
    void Accept(const uint8_t* bytes, size_t count) override { m_framer.Accept(bytes, count); }
    void TickPollAnswers() override { m_delivery.TickPollAnswers(); }
    void SendPeriodicReset();
    void PromptForSoftware();

    IMessageBoxes& m_boxes;
    ITimerService& m_timers;
    CMessageDecoder& m_decoder;
    const CProfile& m_profile;
    ISerialServices& m_serial;
    SerialSettings m_line;
    std::string m_lastError;
    CMeasuredFeed* m_measured;  // the owner when it is the measured feed
    // A truth feed has no polls: its countdowns stay zero.
    int m_noCountdowns[8] = {};
    std::span<int, 8> m_countdowns;
    CRecordDelivery m_delivery;
    CSerialFramer m_framer;
    CSerialPort m_port;
    int m_timer = 0;
    int m_promptCounter = 0;
};

}  // namespace kestrion
