#include "app/StreamOutputs.h"

#include "app/AppServices.h"

namespace kestrion {

CStreamOutputs::CStreamOutputs(CAppServices& services)
    : m_services(services),
      m_share([this](const std::string& line) {
          std::lock_guard lock(m_newsLock);
          m_news.push_back(line);
      })
{
}

CStreamOutputs::~CStreamOutputs()
{
    StopSharing();
    StopRecording();
}

std::string CStreamOutputs::StartRecording(const std::string& path)
{
    StopRecording();
    std::string error = m_recorder.Start(path);
    if (error.empty()) {
        m_services.MeasuredTaps().Add(m_recorder);
        Say("Recording to " + path);
    }
    return error;
}

void CStreamOutputs::StopRecording()
{
    m_services.MeasuredTaps().Remove(m_recorder);
    if (m_recorder.Recording()) {
        m_recorder.Stop();
        Say("Recording to " + m_recorder.Path() + " ended");
    }
    PassOnNews();
}

std::string CStreamOutputs::StartSharing(const std::string& address, bool allowCommands)
{
    StopSharing();
    std::string error = m_share.Start(address, allowCommands, &m_services.MeasuredTaps());
    if (error.empty()) {
        m_services.MeasuredTaps().Add(m_share);
        Say("Share: listening on " + m_share.Address() +
            (allowCommands ? ", clients may send commands" : ", what clients send is ignored"));
    }
    return error;
}

void CStreamOutputs::StopSharing()
{
    m_services.MeasuredTaps().Remove(m_share);
    if (m_share.Running()) {
        const std::string address = m_share.Address();
        m_share.Stop();
        Say("Share: stopped listening on " + address);
    }
    PassOnNews();
}

void CStreamOutputs::PassOnNews()
{
    std::vector<std::string> news;
    {
        std::lock_guard lock(m_newsLock);
        news.swap(m_news);
    }
    for (const std::string& line : news) {
        Say(line);
    }
    for (const std::string& failure : m_recorder.TakeFailures()) {
        m_services.MeasuredTaps().Remove(m_recorder);
        m_recordingFailure = failure;
        Say(failure);
        m_services.MessageBox(failure, BoxButtons::Ok, BoxIcon::Warning);
    }
}

void CStreamOutputs::Say(const std::string& line)
{
    m_services.WriteLog(line + "\n");
    m_services.PostFaultText(line);
}

}  // namespace kestrion
