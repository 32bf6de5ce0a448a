#include "protocol/RecordDelivery.h"

namespace kestrion {

CRecordDelivery::CRecordDelivery(CMessageDecoder& decoder, CMessageRecord& record, IRecordSink& feed,
                                 IReceiverLink* link, Line line)
    : m_decoder(decoder), m_record(record), m_feed(feed), m_link(link), m_line(line)
{
}

void CRecordDelivery::OnFrame(std::span<const uint8_t> payload)
{
    m_decoder.Decode(m_record, payload, m_link);
    m_feed.AcceptRecord(&m_record);
    ProtocolState& state = m_decoder.State();
    if (m_line == Line::Serial && state.generation < 0) {
        state.generation = 0;
        m_decoder.Host().PollSoftwareVersion();
    }
    m_decoder.Host().SetDataReceived();
}

void CRecordDelivery::OnSentence(std::span<const uint8_t> sentence)
{
    m_decoder.MakeTextRecord(m_record, sentence);
    m_feed.AcceptRecord(&m_record);
    m_decoder.State().versionDetection = false;
    m_decoder.Host().SetDataReceived();
}

void CRecordDelivery::TickPollAnswers()
{
    if (m_link != nullptr) {
        CMessageDecoder::TickPollAnswers(m_record, *m_link);
    }
}

}  // namespace kestrion
