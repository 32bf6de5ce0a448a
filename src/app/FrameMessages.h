#pragma once
// The main frame's custom window messages, and how the engine's parts reach the frame.
#include <string>

namespace kestrion {

class CFeedDoc;

inline constexpr int WMU_DOCUMENT_CLOSED = 0x404;
inline constexpr int WMU_ALMANAC_COMPLETE = 0x40B;
inline constexpr int WMU_EPHEMERIS_COMPLETE = 0x40C;
// A command-parameter poll was answered (or timed out): its dialog opens.
inline constexpr int WMU_POLL_ANSWERED = 0x40D;

class IMainFrame {
public:
    virtual ~IMainFrame() = default;
    // Handled before the call returns.
    virtual void SendFrameMessage(int message) = 0;
    // Queued; handled at the next turn of the loop.
    virtual void PostFrameMessage(int message) = 0;
    // The frame's current document, or null.
    virtual CFeedDoc* CurrentDocument() = 0;
    virtual void EnterNmeaDisplayMode() = 0;
    virtual void LeaveNmeaDisplayMode() = 0;
    virtual void SetTitle(const std::string& title) = 0;
};

}  // namespace kestrion
