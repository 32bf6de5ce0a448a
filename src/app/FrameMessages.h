#pragma once
// The main frame's messages, and how the engine's parts reach the frame.
#include <string>

namespace kestrion {

class CFeedDoc;

enum class FrameMessage {
    DocumentClosed,
    // The settings changed: the feeds restart and the views reload.
    FeedRefresh,
    SourceEnded,
    // A command-parameter poll was answered (or timed out): its dialog opens.
    PollAnswered,
    AlmanacComplete,
    EphemerisComplete,
};

class IMainFrame {
public:
    virtual ~IMainFrame() = default;
    // Handled before the call returns.
    virtual void SendFrameMessage(FrameMessage message) = 0;
    // Queued; handled at the next turn of the loop.
    virtual void PostFrameMessage(FrameMessage message) = 0;
    // The frame's current document, or null.
    virtual CFeedDoc* CurrentDocument() = 0;
    virtual void EnterNmeaDisplayMode() = 0;
    virtual void LeaveNmeaDisplayMode() = 0;
    virtual void SetTitle(const std::string& title) = 0;
};

}  // namespace kestrion
