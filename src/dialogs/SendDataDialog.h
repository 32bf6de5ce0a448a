#pragma once
// "Send Data": any message for the receiver, typed in hex and sent as a framed binary
// message or raw, or typed as text and sent as an NMEA sentence. The caller sends what the
// dialog gives after OK.
#include <cstdint>
#include <string>
#include <vector>

#include "dialogs/CommandFile.h"
#include "platform/DialogForm.h"

namespace kestrion {

// The last text and wrapper used, kept for the program's run.
struct SendDataMemory {
    std::string text;
    int wrapper = 0;
};

class CSendDataDialog : public CDialogForm {
public:
    enum ControlId { kInstruction = 1, kText, kWrapper, kLoad, kSave };
    // Radio positions of kWrapper.
    static constexpr int kBinaryButton = 0;
    static constexpr int kNmeaButton = 1;
    static constexpr int kNoneButton = 2;
    static constexpr size_t kMaxBytes = 500;

    enum class Wrapper { Binary, Nmea, None };

    CSendDataDialog(IUserInterface& ui, SendDataMemory& memory);

    Wrapper Output() const { return m_output; }
    // The payload for Binary (MID first), the bytes to write for None, the whole sentence for Nmea.
    const std::vector<uint8_t>& Bytes() const { return m_bytes; }

protected:
    void OnClicked(int id) override;
    bool OnOk() override;

private:
    bool ConvertHex(const std::string& text);

    SendDataMemory& m_memory;
    CCommandFile m_file;
    Wrapper m_output = Wrapper::Binary;
    std::vector<uint8_t> m_bytes;
};

}  // namespace kestrion
