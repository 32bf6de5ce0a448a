#pragma once
// The feeds that bring records to the document: the measured feed carries the receiver under
// test, the truth feed the reference positions shown beside it. Each owns at most one source.
#include <memory>

#include "platform/Settings.h"
#include "protocol/MessageRecord.h"
#include "protocol/ProtocolHost.h"
#include "transport/FeedServices.h"
#include "transport/Source.h"

namespace kestrion {

class CFeed : public IRecordSink {
public:
    explicit CFeed(IFeedServices& services) : m_services(services) {}
    ~CFeed() override;
    CFeed(const CFeed&) = delete;
    CFeed& operator=(const CFeed&) = delete;

    // Non-zero when a source is running.
    virtual int Open() { return 1; }
    // Closes the source, if any; always 1.
    virtual int Close();
    virtual void SetPause(int pause) { m_pause = pause; }
    virtual const CMessageRecord* MatchTruth(const CMessageRecord& /*measured*/) { return nullptr; }
    // Copies the record into the latest record; returns 0.
    int AcceptRecord(const CMessageRecord* record) override;
    virtual void Restart();

    const CMessageRecord& Latest() const { return m_latest; }
    CSource* Source() const { return m_source.get(); }
    int Paused() const { return m_pause; }

protected:
    IFeedServices& m_services;
    int m_pause = 0;
    CMessageRecord m_latest;
    std::unique_ptr<CSource> m_source;
};

class CMeasuredFeed : public CFeed {
public:
    using CFeed::CFeed;

    int Open() override;
    int Close() override;
    // Keeps, logs and announces a record; null means the source has ended.
    int AcceptRecord(const CMessageRecord* record) override;
    // Asks a receiver on a serial port for its software version (MID 132).
    void PollSoftwareVersion();

    // The countdowns of the command-parameter polls, in the order of kPollSubIds.
    int pollCountdowns[8] = {};
    const CSettings& Settings() const { return m_settings; }

protected:
    CSettings m_settings;
};

class CTruthFeed : public CFeed {
public:
    using CFeed::CFeed;

    int Open() override;
    // The first pending truth record 0 to 9 seconds after the measured one, or null.
    const CMessageRecord* MatchTruth(const CMessageRecord& measured) override;

private:
    // The last record read from the truth source; a match points to it.
    CMessageRecord m_pending;
};

}  // namespace kestrion
