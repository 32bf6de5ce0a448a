#include "transport/PlaybackHost.h"

#include "transport/FeedEvents.h"

namespace kestrion {

CPlaybackHost::CPlaybackHost(IFeedServices& services) : m_services(services), m_host(services.Decoder().Host())
{
}

void CPlaybackHost::WriteLog(std::string_view line) { m_host.WriteLog(line); }
void CPlaybackHost::PostFaultText(std::string_view text) { m_host.PostFaultText(text); }
void CPlaybackHost::PostReceiverText(std::string_view text) { m_host.PostReceiverText(text); }
void CPlaybackHost::SetDataReceived() { m_host.SetDataReceived(); }
void CPlaybackHost::DataActivity() { m_services.Broadcast(WMU_DATA_ACTIVITY, 0, nullptr); }
void CPlaybackHost::AlmanacComplete() { m_host.AlmanacComplete(); }
void CPlaybackHost::EphemerisComplete() { m_host.EphemerisComplete(); }
void CPlaybackHost::EnterNmeaDisplayMode() { m_host.EnterNmeaDisplayMode(); }
void CPlaybackHost::LeaveNmeaDisplayMode() { m_host.LeaveNmeaDisplayMode(); }
void CPlaybackHost::PollSoftwareVersion() { m_host.PollSoftwareVersion(); }

}  // namespace kestrion
