#pragma once
// The feeds that bring records to the document: the measured feed carries the receiver under
// test, the truth feed the reference positions shown beside it. Each owns at most one source.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "platform/Settings.h"
#include "protocol/MessageRecord.h"
#include "protocol/ProtocolHost.h"
#include "transport/FeedServices.h"
#include "transport/Source.h"

namespace kestrion {

class CFeed : public IRecordSink {
public:
    explicit CFeed(const FeedServices& services) : m_services(services) {}
    ~CFeed() override;
    CFeed(const CFeed&) = delete;
    CFeed& operator=(const CFeed&) = delete;

    // Non-zero when a source is running.
    virtual int Open() { return 1; }
    // Closes the source, if any; always 1.
    virtual int Close();
    virtual void SetPause(bool pause) { m_pause = pause; }
    virtual const CMessageRecord* MatchTruth(const CMessageRecord& /*measured*/) { return nullptr; }
    // Copies the record into the latest record; returns 0.
    int AcceptRecord(const CMessageRecord* record) override;
    virtual void Restart();

    const CMessageRecord& Latest() const { return m_latest; }
    CSource* Source() const { return m_source.get(); }
    bool Paused() const { return m_pause; }

protected:
    FeedServices m_services;
    bool m_pause = false;
    CMessageRecord m_latest;
    std::unique_ptr<CSource> m_source;
};

class CMeasuredFeed : public CFeed {
public:
    // Writes the settings that the reopened port is to use.
    using SettingsStore = std::function<void(const CProfile&)>;
    // A current-values record for the command whose MID is the sub-ID; zeros when none came.
    using PollAnswerHandler = std::function<void(uint8_t subId, std::span<const uint8_t> record)>;

    using CFeed::CFeed;

    int Open() override;
    int Close() override;
    // Keeps, logs and announces a record; null means the source has ended.
    int AcceptRecord(const CMessageRecord* record) override;

    // Reads the source selection again; true when the measured source is a serial port.
    bool SerialSelected() const;
    // The line the measured serial port was last opened with, read from the settings when
    // the source connects; the stored line before the first connection.
    SerialSettings Line() const;

    // Receiver operations. Each reads the source selection again and does nothing unless the
    // measured source is a serial port; sends go nowhere while the feed has no source.

    // Frames the payload (MID first) and sends it.
    void SendPayload(std::span<const uint8_t> payload);
    // Sends the body as an NMEA sentence.
    void SendNmea(const char* body);
    // The feed restart of a settings change: close, store, optionally clear the latest record,
    // open with the settings as stored then. A port that does not open again is reported
    // ("Cannot reopen ...") and gives false.
    bool Reconnect(const SettingsStore& store, bool clearLatest);
    // The same for a line the user chose: the texts that changed are stored, and the port
    // opens with the line as given.
    bool Reconnect(const SerialSettings& line, bool clearLatest);
    // 3 switches the receiver to the binary protocol at 38400 baud, 8N1. 2 (to NMEA) needs its
    // dialog and is not done here; any other target is logged as illegal.
    void SwitchProtocol(int target);
    // Brings a receiver of unknown protocol and baud rate to the binary protocol at 38400 baud
    // with fourteen commands; the result of the last open, 0 when a reopen failed.
    int Synchronize();
    // Send the almanac, or each ephemeris line, of a text file (empty name: nothing).
    void UploadAlmanac(const std::string& path);
    void UploadEphemeris(const std::string& path);
    // Arms the command's current-values countdown and sends MID_POLL_CMD_PARAM for it.
    void PollCommandParameters(uint8_t mid);
    // Asks for the software version (MID 132).
    void PollSoftwareVersion();

    void SetPollAnswerHandler(PollAnswerHandler handler) { m_pollAnswerHandler = std::move(handler); }
    // The serial source's poll tick hands each answer here.
    void PollAnswered(uint8_t subId, std::span<const uint8_t> record);

    // The countdowns of the command-parameter polls, in the order of kPollSubIds.
    int pollCountdowns[8] = {};

protected:
    Settings m_settings;

private:
    std::optional<SerialSettings> m_line;  // set by the first connection
    bool SerialOpen() const { return m_source != nullptr && m_source->IsOpen() != 0; }
    // Open, on the given line or else the stored one; a serial source that fails puts its
    // error text into failure, when given, instead of showing it.
    int OpenSource(std::string* failure, const std::optional<SerialSettings>& line);
    // Reconnect without reading the source selection first; a line given is opened as it is,
    // stored or not as the store decides.
    bool Reopen(const SettingsStore& store, const std::optional<SerialSettings>& line, bool clearLatest);
    // Stores the texts of the line that differ from the stored ones.
    static SettingsStore Remember(const SerialSettings& line);
    void Transmit(std::span<const uint8_t> payload);
    void TransmitNmea(const char* body);

    PollAnswerHandler m_pollAnswerHandler;
};

class CTruthFeed : public CFeed {
public:
    using CFeed::CFeed;

    int Open() override;
    // The first pending truth record 0 to 9 seconds after the measured one, or null.
    const CMessageRecord* MatchTruth(const CMessageRecord& measured) override;
    // A truth file is read again from its start, so that matching finds the truth of a
    // measured recording that was moved back; a serial truth source is left as it is.
    void Rewind();

private:
    bool m_fromFile = false;
    // The last record read from the truth source; a match points to it.
    CMessageRecord m_pending;
};

}  // namespace kestrion
