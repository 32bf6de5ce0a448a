#pragma once
// The document: owns the measured and truth feeds, opens and stops them, and turns feed events
// into view updates (a matching truth record first, then the record itself).
#include <memory>
#include <vector>

#include "app/DocumentView.h"
#include "app/FrameMessages.h"
#include "transport/Feed.h"

namespace kestrion {

class CFeedDoc {
public:
    CFeedDoc(const FeedServices& services, IMainFrame& frame);
    ~CFeedDoc();
    CFeedDoc(const CFeedDoc&) = delete;
    CFeedDoc& operator=(const CFeedDoc&) = delete;

    // True when the data source is open.
    bool OpenFeeds();
    void StopFeeds();
    void SetPause(bool pause) { m_measured->SetPause(pause); }
    // The playback controls of the measured source while a recorded file plays, else null.
    IReplayControl* Replay();
    // Moves the recording to a position in the unit of its Position(). The truth file is read
    // again from its start, so that the records after the new position find their truth.
    // False when the recording has ended (its source is gone).
    bool SeekReplay(int64_t position);
    // A feed event from the program-wide broadcast.
    void Notify(FeedEvent event, const CMessageRecord* record);
    // Stops the feeds, closes the views and tells the frame.
    void CloseDocument();

    void AddView(IDocumentView& view);
    void RemoveView(IDocumentView& view);
    void UpdateAllViews(UpdateHint hint, const CMessageRecord* record);

    CMeasuredFeed& MeasuredFeed() { return *m_measured; }
    bool Running() const { return m_running; }
    bool TruthInUse() const { return m_truthInUse; }

private:
    IMainFrame& m_frame;
    std::unique_ptr<CTruthFeed> m_truth;
    std::unique_ptr<CMeasuredFeed> m_measured;
    bool m_running = false;
    bool m_truthInUse = false;
    std::vector<IDocumentView*> m_views;
};

}  // namespace kestrion
