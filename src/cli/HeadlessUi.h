#pragma once
// The user as the headless runner plays it: every message box is printed on stderr as
// "message: <text>", and questions take their default answer without waiting.
#include <cstdio>

#include "platform/UserInterface.h"
#include "protocol/ProtocolState.h"

namespace kestrion::cli {

class CHeadlessUi : public IUserInterface {
public:
    explicit CHeadlessUi(std::FILE* out) : m_out(out) {}
    // The program state the software selection works on, once the engine exists.
    void SetProtocol(ProtocolState& protocol) { m_protocol = &protocol; }

    // Yes for a yes/no question; No (keep things as they are) for a three-way one.
    BoxAnswer MessageBox(std::string_view text, BoxButtons buttons, BoxIcon icon) override;
    // The headless runner chooses its log on the command line.
    bool RunLogFileSettings() override { return false; }
    // Confirms the dialog with its opening values.
    void RunSoftwareSelection() override;

private:
    std::FILE* m_out;
    ProtocolState* m_protocol = nullptr;
};

}  // namespace kestrion::cli
