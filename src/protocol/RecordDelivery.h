#pragma once
// Turns the messages a framer cuts into records of the owning source and hands them to its
// feed. What a record implies goes to the line (before the feed takes the record) and to the
// host (after); the generation a version names goes into the protocol state.
#include "protocol/FrameSink.h"
#include "protocol/MessageDecoder.h"

namespace kestrion {

class CRecordDelivery : public IFrameSink {
public:
    // A serial line also asks for the software version when the generation is still unknown.
    enum class Line { Serial, Playback };

    // The record is the source's own; the link is the owning serial source, or null.
    CRecordDelivery(CMessageDecoder& decoder, CMessageRecord& record, IRecordSink& feed,
                    IReceiverLink* link, Line line);

    void OnFrame(std::span<const uint8_t> payload) override;
    void OnSentence(std::span<const uint8_t> sentence) override;

    // The 50 ms poll-answer countdown of the owning serial source.
    void TickPollAnswers();

private:
    void Deliver(const RecordImplications& implied);

    CMessageDecoder& m_decoder;
    CMessageRecord& m_record;
    IRecordSink& m_feed;
    IReceiverLink* m_link;
    Line m_line;
};

}  // namespace kestrion
