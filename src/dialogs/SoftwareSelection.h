#pragma once
// "Selection of Target Receiver Software": the receiver software generation and whether the
// program may detect it from the receiver's version reply.
#include <string>

#include "protocol/ProtocolState.h"

namespace kestrion {

class CSoftwareSelection {
public:
    static constexpr int kFamilyOne = 0;  // "&Kestrion I"
    static constexpr int kFamilyTwo = 1;  // "K&estrion II"
    static constexpr int kRevision20 = 0;  // "2.&0.x"
    static constexpr int kRevision21 = 1;  // "2.&1.x or higher"

    // Opens the dialog on the program's state, marking it open.
    explicit CSoftwareSelection(ProtocolState& state);

    void ChooseFamily(int family) { m_family = family; }
    void ChooseRevision(int revision) { m_revision = revision; }
    void SetAutoDetection(bool on) { m_autoDetection = on; }

    int Family() const { return m_family; }
    int Revision() const { return m_revision; }
    bool AutoDetection() const { return m_autoDetection; }
    // The revision buttons apply to the second family only.
    bool RevisionEnabled() const { return m_family == kFamilyTwo; }

    // Sets the generation and the detection flag, and closes.
    void Ok();
    // Empty when the dialog closes without changes; otherwise the text that keeps it open.
    std::string Cancel();

private:
    ProtocolState& m_state;
    int m_family = kFamilyTwo;
    int m_revision = kRevision20;
    bool m_autoDetection = true;
};

}  // namespace kestrion
