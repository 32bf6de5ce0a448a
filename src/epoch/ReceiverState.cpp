#include "epoch/ReceiverState.h"

#include <utility>

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
        return m_nmea->Take(record.Text()) ? KeepNmea() : nullptr;
    }
    if (!m_binary.Take(record)) {
        return nullptr;
    }
    m_binarySinceNmea = m_binarySinceNmea || !m_binary.Epoch().truth;
    return Keep(m_binary.Epoch());
}

const ReceiverEpoch* CReceiverState::Finish()
{
    return m_nmea->Finish() ? KeepNmea() : nullptr;
}

const ReceiverEpoch* CReceiverState::KeepNmea()
{
    // A receiver that sends both protocols reports each solution twice: the binary one stands.
    if (std::exchange(m_binarySinceNmea, false)) {
        return nullptr;
    }
    return Keep(m_nmea->Epoch());
}

void CReceiverState::Reset()
{
    m_binary.Reset();
    m_nmea->Reset();
    m_measured.reset();
    m_truth.reset();
    m_binarySinceNmea = false;
}

const ReceiverEpoch* CReceiverState::Keep(const ReceiverEpoch& epoch)
{
    std::optional<ReceiverEpoch>& kept = epoch.truth ? m_truth : m_measured;
    kept = epoch;
    return &*kept;
}

}  // namespace kestrion
