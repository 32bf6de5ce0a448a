#include "epoch/NmeaEpochAssembler.h"

namespace kestrion {

// Placeholder until the sentence rules land: no sentence closes an epoch yet.
struct CNmeaEpochAssembler::State {
    ReceiverEpoch epoch;
};

CNmeaEpochAssembler::CNmeaEpochAssembler() : m_state(std::make_unique<State>()) {}
CNmeaEpochAssembler::~CNmeaEpochAssembler() = default;

bool CNmeaEpochAssembler::Take(std::string_view /*sentence*/) { return false; }
bool CNmeaEpochAssembler::Finish() { return false; }
void CNmeaEpochAssembler::Reset() { *m_state = {}; }
const ReceiverEpoch& CNmeaEpochAssembler::Epoch() const { return m_state->epoch; }

}  // namespace kestrion
