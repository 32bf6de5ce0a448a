#include "protocol/RecordDelivery.h"

namespace kestrion {

CRecordDelivery::CRecordDelivery(CMessageDecoder& decoder, CMessageRecord& record, IRecordSink& feed,
                                 IReceiverLink* link, Line line)
    : m_decoder(decoder), m_record(record), m_feed(feed), m_link(link), m_line(line)
{
}

void CRecordDelivery::OnFrame(std::span<const uint8_t> payload)
{
    RecordImplications implied = m_decoder.Decode(m_record, payload, m_link);
    ProtocolState& state = m_decoder.State();
    if (implied.generation.has_value()) {
        state.generation = *implied.generation;
    }
    Deliver(implied);
    if (m_line == Line::Serial && state.generation < 0) {
        state.generation = 0;  // the poll is out
        implied.versionPollDue = true;
    }
    m_decoder.Host().RecordImplied(implied);
    m_decoder.Host().SetDataReceived();
}

void CRecordDelivery::OnSentence(std::span<const uint8_t> sentence)
{
    const RecordImplications implied = m_decoder.MakeTextRecord(m_record, sentence);
    Deliver(implied);
    m_decoder.State().versionDetection = false;
    m_decoder.Host().RecordImplied(implied);
    m_decoder.Host().SetDataReceived();
}

void CRecordDelivery::Deliver(const RecordImplications& implied)
{
    if (m_link != nullptr) {
        m_link->RecordDecoded(implied);
    }
    m_feed.AcceptRecord(&m_record);
}

void CRecordDelivery::TickPollAnswers()
{
    if (m_link != nullptr) {
        CMessageDecoder::TickPollAnswers(m_record, *m_link);
    }
}

}  // namespace kestrion
