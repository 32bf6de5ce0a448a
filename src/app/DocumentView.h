#pragma once
// A view of the document: it receives every update with its hint and, for hint 1, the record
// to show (valid only during the call).
namespace kestrion {

class CMessageRecord;

// Update hints: a record to show, new settings or a restart (views reload and clear their
// histories), the data source opening (views clear), the measured source's end or a recording
// played to its end (views show what was still being assembled, such as the last NMEA epoch).
inline constexpr int kHintRecord = 1;
inline constexpr int kHintRestarted = 3;
inline constexpr int kHintOpening = 4;
inline constexpr int kHintSourceEnded = 5;
// A recording is about to move to another position (readers of its history keep each position once).
inline constexpr int kHintSeeking = 6;

class IDocumentView {
public:
    virtual ~IDocumentView() = default;
    virtual void OnUpdate(int hint, const CMessageRecord* record) = 0;
};

}  // namespace kestrion
