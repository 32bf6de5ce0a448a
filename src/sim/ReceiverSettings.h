#pragma once
// The navigation settings a receiver runs with, kept as the payloads of the commands that set
// them; MID 19 and the MID 43 answers are built from them.
#include <array>
#include <cstdint>
#include <span>

#include "synth/ReceiverMessages.h"

namespace kestrion {

class CReceiverSettings {
public:
    explicit CReceiverSettings(int generation);

    // Takes the payload of a setting command (MIDs 133, 136..140, 143, 151, 167). False for
    // another MID or a payload shorter than its command.
    bool Store(std::span<const uint8_t> payload);

    // MID 43 with the current values of the command, empty for a MID that has none.
    Payload ParameterAnswer(uint8_t subId) const;

    // MID 19 in the layout of the generation.
    Payload NavParameters() const;

private:
    struct Setting {
        uint8_t mid;
        Payload payload;
    };

    const Payload& Of(uint8_t mid) const;
    Payload NavParameters1() const;
    Payload NavParametersLater() const;

    int m_generation;
    std::array<Setting, 9> m_settings;
};

}  // namespace kestrion
