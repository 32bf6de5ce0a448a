#pragma once
// The navigation settings a receiver runs with, kept as the fields of the commands that set
// them; MID 19 and the MID 43 answers are built from them.
#include <cstdint>
#include <map>
#include <span>

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
    const CFieldValues& Of(const CCommandLayout& command) const { return m_settings.at(command.Mid()); }
    // MID 19 with the fields both its layouts have.
    struct SharedFields;
    CFieldValues SharedNavParameters(const CLayout& layout, const SharedFields& fields) const;
    Payload NavParameters1() const;
    Payload NavParametersLater() const;

    int m_generation;
    std::map<uint8_t, CFieldValues> m_settings;  // by the MID of the setting command
};

}  // namespace kestrion
