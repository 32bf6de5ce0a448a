#pragma once
// The measured receiver's streams out of the program: its raw recording and its sharing with
// other programs over TCP. Both take the port's bytes on its reader thread through the
// services' taps; what their threads have to say (a recording that failed, a client that came
// or went) is passed on to the log and the error view on the engine's thread.
#include <mutex>
#include <string>
#include <vector>

#include "transport/RawRecorder.h"
#include "transport/ReceiverShare.h"

namespace kestrion {

class CAppServices;

class CStreamOutputs {
public:
    explicit CStreamOutputs(CAppServices& services);
    ~CStreamOutputs();
    CStreamOutputs(const CStreamOutputs&) = delete;
    CStreamOutputs& operator=(const CStreamOutputs&) = delete;

    // The error text naming the file and the reason, empty when it records.
    std::string StartRecording(const std::string& path);
    void StopRecording();
    bool Recording() const { return m_recorder.Recording(); }
    const std::string& RecordingPath() const { return m_recorder.Path(); }
    // The last failure of a recording since the program started, empty when none failed.
    const std::string& RecordingFailure() const { return m_recordingFailure; }

    // The error text naming the address and the reason, empty when it listens.
    std::string StartSharing(const std::string& address, bool allowCommands);
    void StopSharing();
    bool Sharing() const { return m_share.Running(); }
    std::string SharingAddress() const { return m_share.Address(); }
    size_t SharingClients() const { return m_share.Clients(); }

    // The engine's thread, every turn of its loop: logs and shows what the threads said, and
    // tells the user of a recording that stopped.
    void PassOnNews();

private:
    void Say(const std::string& line);

    CAppServices& m_services;
    CRawRecorder m_recorder;
    CReceiverShare m_share;
    std::mutex m_newsLock;
    std::vector<std::string> m_news;  // the share's lines, from its threads
    std::string m_recordingFailure;
};

}  // namespace kestrion
