#include "app/FeedDoc.h"

#include <algorithm>

#include "transport/FeedEvents.h"
#include "app/DocumentView.h"

namespace kestrion {

CFeedDoc::CFeedDoc(IFeedServices& services, IMainFrame& frame) : m_frame(frame)
{
    Settings settings;
    settings.LoadDataSources(services.Profile());
    m_truth = std::make_unique<CTruthFeed>(services);
    m_measured = std::make_unique<CMeasuredFeed>(services);
    m_truthInUse = settings.dataSource == 1 && settings.useTrue != 0 ? 1 : 0;
}

CFeedDoc::~CFeedDoc()
{
    m_truth.reset();
    m_measured.reset();
}

int CFeedDoc::OpenFeeds()
{
    UpdateAllViews(kHintOpening, nullptr);
    m_running = 1;
    if (m_truthInUse != 0 && m_truth->Open() == 0) {
        StopFeeds();
        return 0;
    }
    const int result = m_measured->Open();
    if (result == 0) {
        StopFeeds();
    }
    return result;
}

void CFeedDoc::StopFeeds()
{
    if (m_running == 0) {
        return;
    }
    m_running = 0;
    m_measured->Close();
    if (m_truthInUse != 0) {
        m_truth->Close();
    }
}

IReplayControl* CFeedDoc::Replay()
{
    CSource* source = m_running != 0 ? m_measured->Source() : nullptr;
    return source != nullptr ? source->Replay() : nullptr;
}

bool CFeedDoc::SeekReplay(int64_t position)
{
    IReplayControl* replay = Replay();
    if (replay == nullptr) {
        return false;
    }
    // Before the seek: unless paused, the record at the new position comes at once.
    if (m_truthInUse != 0) {
        m_truth->Rewind();
    }
    UpdateAllViews(kHintSeeking, nullptr);
    return replay->Seek(position);
}

void CFeedDoc::Notify(int code, int /*value*/, const CMessageRecord* record)
{
    switch (code) {
    case WMU_NEW_RECORD:
        if (m_running == 0 || record == nullptr) {
            return;
        }
        if (m_truthInUse != 0) {
            if (const CMessageRecord* truth = m_truth->MatchTruth(*record)) {
                UpdateAllViews(kHintRecord, truth);
            }
        }
        UpdateAllViews(kHintRecord, record);
        break;
    case WMU_FEED_REFRESH:
        m_measured->Restart();
        UpdateAllViews(kHintRestarted, nullptr);
        break;
    case WMU_RECORDING_AT_END:
        UpdateAllViews(kHintSourceEnded, nullptr);
        break;
    case WMU_SOURCE_ENDED:
        UpdateAllViews(kHintSourceEnded, nullptr);
        m_frame.SendFrameMessage(WMU_SOURCE_ENDED);
        break;
    case WMU_DATA_ACTIVITY:
        m_frame.PostFrameMessage(WMU_DATA_ACTIVITY);
        break;
    default:
        break;
    }
}

void CFeedDoc::CloseDocument()
{
    StopFeeds();
    m_views.clear();
    m_frame.SendFrameMessage(WMU_DOCUMENT_CLOSED);
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

void CFeedDoc::UpdateAllViews(int hint, const CMessageRecord* record)
{
    // A view may close (and leave the list) while it is updated.
    const std::vector<IDocumentView*> views = m_views;
    for (IDocumentView* view : views) {
        view->OnUpdate(hint, record);
    }
}

}  // namespace kestrion
