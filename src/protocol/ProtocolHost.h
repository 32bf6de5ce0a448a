#pragma once
// What the protocol reaches outside itself: the program-wide services (log, text views), the
// feed that takes records, and the serial source that owns a framer. What a record implies
// (RecordImplications) goes to the line before the feed takes the record and to the program
// after it; each acts on its part.
#include <cstdint>
#include <span>
#include <string_view>

#include "protocol/RecordImplications.h"

namespace kestrion {

class CMessageRecord;

class IProtocolHost {
public:
    virtual ~IProtocolHost() = default;
    // A line written straight to the log; callers end it with "\n".
    virtual void WriteLog(std::string_view line) = 0;
    // A text shown in the error view as a fault (marker 0xFFFF) or as a receiver text.
    virtual void PostFaultText(std::string_view text) = 0;
    virtual void PostReceiverText(std::string_view text) = 0;
    // The data-received flag of the application.
    virtual void SetDataReceived() = 0;
    // Data activity: a chunk with bytes is about to be framed.
    virtual void DataActivity() = 0;
    // The entry for SV 32 was stored; the main frame writes the export file if one was asked for.
    virtual void AlmanacComplete() = 0;
    virtual void EphemerisComplete() = 0;
    // A record was delivered: the program's part of what it implies (the display mode, the
    // software version poll).
    virtual void RecordImplied(const RecordImplications& implied) = 0;
};

// The feed that owns a source.
class IRecordSink {
public:
    virtual ~IRecordSink() = default;
    // A record, or null when the source has ended.
    virtual int AcceptRecord(const CMessageRecord* record) = 0;
};

// The serial source that owns a framer, as decoding sees it.
class IReceiverLink {
public:
    virtual ~IReceiverLink() = default;
    // A record was decoded and is about to be delivered: the line's part of what it implies
    // (the OK-to-send flag, RecordImplications::OkToSendAfter).
    virtual void RecordDecoded(const RecordImplications& implied) = 0;
    // The owning feed's eight poll countdowns, in the order of kPollSubIds.
    virtual std::span<int, 8> PollCountdowns() = 0;
    // The feed's answer handler: the stored answer block (zeros after a time-out).
    virtual void PollAnswered(uint8_t subId, std::span<const uint8_t> answer) = 0;
    virtual bool FeedPaused() const = 0;
};

}  // namespace kestrion
