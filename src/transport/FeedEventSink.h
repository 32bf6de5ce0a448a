#pragma once
// Where feeds and sources report: the feed events for every document, the log of records, the
// window title and the data activity that blinks the paused display.
#include "transport/FeedEvents.h"

namespace kestrion {

class CMessageRecord;

class IFeedEventSink {
public:
    virtual ~IFeedEventSink() = default;
    // A feed event to every document, with its record or null.
    virtual void Broadcast(FeedEvent event, const CMessageRecord* record) = 0;
    // Renders and logs a record when its type is selected.
    virtual void LogRecord(const CMessageRecord& record) = 0;
    virtual void RefreshTitle() = 0;
    // Data arrived from the source; cheap, counted for the frame's next turn.
    virtual void DataActivity() = 0;
};

}  // namespace kestrion
