#include "app/FeedDoc.h"

#include <algorithm>

#include "transport/FeedEvents.h"
#include "app/DocumentView.h"

namespace kestrion {

CFeedDoc::CFeedDoc(const FeedServices& services, IMainFrame& frame) : m_frame(frame)
{
    Settings settings;
    settings.LoadDataSources(services.profile);
    m_truth = std::make_unique<CTruthFeed>(services);
    m_measured = std::make_unique<CMeasuredFeed>(services);
    m_truthInUse = settings.dataSource == 1 && settings.useTrue != 0;
}

CFeedDoc::~CFeedDoc()
{
    m_truth.reset();
    m_measured.reset();
}

bool CFeedDoc::OpenFeeds()
{
    UpdateAllViews(UpdateHint::Opening, nullptr);
    m_running = true;
    if (m_truthInUse && m_truth->Open() == 0) {
        StopFeeds();
        return false;
    }
    const bool opened = m_measured->Open() != 0;
    if (!opened) {
        StopFeeds();
    }
    return opened;
}

void CFeedDoc::StopFeeds()
{
    if (!m_running) {
        return;
    }
    m_running = false;
    m_measured->Close();
    if (m_truthInUse) {
        m_truth->Close();
    }
}

IReplayControl* CFeedDoc::Replay()
{
    CSource* source = m_running ? m_measured->Source() : nullptr;
    return source != nullptr ? source->Replay() : nullptr;
}

bool CFeedDoc::SeekReplay(int64_t position)
{
    IReplayControl* replay = Replay();
    if (replay == nullptr) {
        return false;
    }
    // Before the seek: unless paused, the record at the new position comes at once.
    if (m_truthInUse) {
        m_truth->Rewind();
    }
    UpdateAllViews(UpdateHint::Seeking, nullptr);
    return replay->Seek(position);
}

void CFeedDoc::Notify(FeedEvent event, const CMessageRecord* record)
{
    switch (event) {
    case FeedEvent::NewRecord:
        if (!m_running || record == nullptr) {
            return;
        }
        if (m_truthInUse) {
            if (const CMessageRecord* truth = m_truth->MatchTruth(*record)) {
                UpdateAllViews(UpdateHint::Record, truth);
            }
        }
        UpdateAllViews(UpdateHint::Record, record);
        break;
    case FeedEvent::FeedRefresh:
        m_measured->Restart();
        UpdateAllViews(UpdateHint::Restarted, nullptr);
        break;
    case FeedEvent::RecordingAtEnd:
        UpdateAllViews(UpdateHint::SourceEnded, nullptr);
        break;
    case FeedEvent::SourceEnded:
        UpdateAllViews(UpdateHint::SourceEnded, nullptr);
        m_frame.SendFrameMessage(FrameMessage::SourceEnded);
        break;
    }
}

void CFeedDoc::CloseDocument()
{
    StopFeeds();
    m_views.clear();
    m_frame.SendFrameMessage(FrameMessage::DocumentClosed);
}

void CFeedDoc::AddView(IDocumentView& view)
{
    if (std::find(m_views.begin(), m_views.end(), &view) == m_views.end()) {
        m_views.push_back(&view);
    }
}

void CFeedDoc::RemoveView(IDocumentView& view)
{
    std::erase(m_views, &view);
}

void CFeedDoc::UpdateAllViews(UpdateHint hint, const CMessageRecord* record)
{
    // A view may close (and leave the list) while it is updated.
    const std::vector<IDocumentView*> views = m_views;
    for (IDocumentView* view : views) {
        view->OnUpdate(hint, record);
    }
}

}  // namespace kestrion
