#include "epoch/ReceiverState.h"

#include "protocol/Mid.h"

namespace kestrion {
namespace {

bool IsSentence(const CMessageRecord& record)
{
    return record.type == MID_ASCIIData && record.faultMarker != kFaultMarker && record.Text().starts_with('$');
}

}  // namespace

const ReceiverEpoch* CReceiverState::Take(const CMessageRecord& record)
{
    if (IsSentence(record)) {
        return m_nmea->Take(record.Text()) ? Keep(m_nmea->Epoch()) : nullptr;
    }
    return m_binary.Take(record) ? Keep(m_binary.Epoch()) : nullptr;
}

const ReceiverEpoch* CReceiverState::Finish()
{
    return m_nmea->Finish() ? Keep(m_nmea->Epoch()) : nullptr;
}

void CReceiverState::Reset()
{
    m_binary.Reset();
    m_nmea->Reset();
    m_measured.reset();
    m_truth.reset();
}

const ReceiverEpoch* CReceiverState::Keep(const ReceiverEpoch& epoch)
{
    std::optional<ReceiverEpoch>& kept = epoch.truth ? m_truth : m_measured;
    kept = epoch;
    return &*kept;
}

}  // namespace kestrion
