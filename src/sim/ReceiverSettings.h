#pragma once
// The navigation settings a receiver runs with, kept as the fields of the commands that set
// them; MID 19 and the MID 43 answers are built from them.
#include <cstdint>
#include <span>
#include <vector>

#include "protocol/CommandLayouts.h"
#include "synth/ReceiverMessages.h"

namespace kestrion {

class CReceiverSettings {
public:
    explicit CReceiverSettings(int generation);

    // Takes the payload of a setting command (the commands with current values and MID 167).
    // False for another MID or a payload shorter than its command.
    bool Store(std::span<const uint8_t> payload);

    // MID 43 with the current values of the command, empty for a MID that has none.
    Payload ParameterAnswer(uint8_t subId) const;

    // MID 19 in the layout of the generation.
    Payload NavParameters() const;

private:
    CFieldValues* Find(uint8_t mid);
    const CFieldValues& Of(const CCommandLayout& command) const;
    // MID 19 with the fields both its layouts have.
    template <const CLayout& kParams>
    CFieldValues SharedNavParameters() const;
    Payload NavParameters1() const;
    Payload NavParametersLater() const;

    int m_generation;
    std::vector<CFieldValues> m_settings;  // by setting command
    std::vector<uint8_t> m_mids;           // the command of each setting
};

}  // namespace kestrion
