#pragma once
// A view of the document: it receives every update with its hint and, for a record, the record
// to show (valid only during the call).
namespace kestrion {

class CMessageRecord;

// Update hints: a record to show, new settings or a restart (views reload and clear their
// histories), the data source opening (views clear), the measured source's end or a recording
// played to its end (views show what was still being assembled, such as the last NMEA epoch),
// a recording about to move to another position (readers of its history keep each position
// once). The values are those of the trace output.
enum class UpdateHint { Record = 1, Restarted = 3, Opening = 4, SourceEnded = 5, Seeking = 6 };

class IDocumentView {
public:
    virtual ~IDocumentView() = default;
    virtual void OnUpdate(UpdateHint hint, const CMessageRecord* record) = 0;
};

}  // namespace kestrion
