#pragma once
// The receiver's latest epochs from the records a reader is handed: binary records through the
// binary assembler, NMEA sentences (text records beginning with "$") through the NMEA one. An
// NMEA epoch that closes after a binary one since the last NMEA epoch is the same solution
// told twice and is left out: a receiver that sends both counts each fix once, and one switched
// to NMEA goes on from its second NMEA epoch.
#include <memory>
#include <optional>

#include "epoch/BinaryEpochAssembler.h"
#include "epoch/NmeaEpochAssembler.h"

namespace kestrion {

class CReceiverState {
public:
    CReceiverState() : m_nmea(std::make_unique<CNmeaEpochAssembler>()) {}

    // The epoch the record closed, measured or truth (see its `truth`), or null.
    const ReceiverEpoch* Take(const CMessageRecord& record);
    // The end of the stream: the open NMEA epoch, or null.
    const ReceiverEpoch* Finish();
    // Forgets the epochs and everything half-built, as at the opening of a data source.
    void Reset();

    const std::optional<ReceiverEpoch>& Measured() const { return m_measured; }
    const std::optional<ReceiverEpoch>& Truth() const { return m_truth; }

private:
    const ReceiverEpoch* Keep(const ReceiverEpoch& epoch);
    const ReceiverEpoch* KeepNmea();

    CBinaryEpochAssembler m_binary;
    std::unique_ptr<CNmeaEpochAssembler> m_nmea;  // held apart so that the state moves
    std::optional<ReceiverEpoch> m_measured;
    std::optional<ReceiverEpoch> m_truth;
    bool m_binarySinceNmea = false;  // a measured binary epoch closed since the last NMEA one
};

}  // namespace kestrion
