#pragma once
// Builds receiver epochs from binary-protocol records: a navigation record (MID 2, or MID 1 from
// a truth feed) closes an epoch with the tracker data (MIDs 3, 4 and 23) that came before it.
#include "epoch/ReceiverEpoch.h"
#include "protocol/MessageRecord.h"

namespace kestrion {

class CBinaryEpochAssembler {
public:
    // True when the record closed an epoch, which Epoch() then holds.
    bool Take(const CMessageRecord& record);
    void Reset();

    const ReceiverEpoch& Epoch() const { return m_epoch; }

private:
    TrackerBlock m_tracker{};
    bool m_trackerPending = false;
    ReceiverEpoch m_epoch;
};

// The epoch of one navigation block and the tracker block seen with it (null for none).
ReceiverEpoch EpochFromBinary(const NavBlock& nav, const TrackerBlock* tracker, bool truth);

}  // namespace kestrion
