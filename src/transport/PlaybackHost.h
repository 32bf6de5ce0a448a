#pragma once
// The program's protocol host as a file source's framer sees it: every notice goes to the
// decoder's host, except the chunk notice, which becomes the feed event WMU_DATA_ACTIVITY.
#include "protocol/ProtocolHost.h"
#include "transport/FeedServices.h"

namespace kestrion {

class CPlaybackHost : public IProtocolHost {
public:
    explicit CPlaybackHost(IFeedServices& services);

    void WriteLog(std::string_view line) override;
    void PostFaultText(std::string_view text) override;
    void PostReceiverText(std::string_view text) override;
    void SetDataReceived() override;
    // Broadcasts WMU_DATA_ACTIVITY; the decoder's host does not see it.
    void DataActivity() override;
    void AlmanacComplete() override;
    void EphemerisComplete() override;
    void EnterNmeaDisplayMode() override;
    void LeaveNmeaDisplayMode() override;
    void PollSoftwareVersion() override;

private:
    IFeedServices& m_services;
    IProtocolHost& m_host;
};

}  // namespace kestrion
