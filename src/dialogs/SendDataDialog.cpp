#include "dialogs/SendDataDialog.h"

#include <cstdio>
#include <optional>
#include <string_view>

namespace kestrion {
namespace {

constexpr std::string_view kHexCharacters = "1234567890ABCDEF \r\n";

uint8_t HexDigit(char c) { return static_cast<uint8_t>(c <= '9' ? c - '0' : c - 'A' + 10); }

// "$<text>*<checksum>\r\n": the checksum is the exclusive-or of the text's bytes, any byte
// value taking part as it is, so it always fits two hex digits.
std::string NmeaSentence(std::string_view text)
{
    uint8_t checksum = 0;
    for (const char c : text) {
        checksum ^= static_cast<uint8_t>(c);
    }
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X\r\n", checksum);
    std::string sentence = "$";
    sentence.append(text).append(tail);
    return sentence;
}

}  // namespace

CSendDataDialog::CSendDataDialog(IUserInterface& ui, SendDataMemory& memory)
    : CDialogForm(ui, "Send Data", "Send"), m_memory(memory), m_file(ui)
{
    AddStatic(kInstruction, "Specify in Hex ( e.g. 55 AB 6D... ).  However, use text format for NMEA.");
    AddMultiLineEdit(kText, "");
    AddRadio(kWrapper, "Protocol Wrapper", {"&Orvo Binary", "&NMEA ( $..<data>..*ck\\r\\n )", "N&one"});
    AddButton(kLoad, "&Load...");
    AddButton(kSave, "S&ave...");
    SetText(kText, m_memory.text);
    SetValue(kWrapper, m_memory.wrapper);
}

void CSendDataDialog::OnClicked(int id)
{
    if (id == kLoad) {
        if (std::optional<std::string> text = m_file.Load()) {
            SetText(kText, std::move(*text));
        }
    } else if (id == kSave) {
        m_file.Save(Text(kText));
    }
}

bool CSendDataDialog::OnOk()
{
    const std::string& text = Text(kText);
    m_memory.text = text;
    m_memory.wrapper = Value(kWrapper);
    if (m_memory.wrapper == kNmeaButton) {
        const std::string sentence = NmeaSentence(text);
        m_output = Wrapper::Nmea;
        m_bytes.assign(sentence.begin(), sentence.end());
        return true;
    }
    m_output = m_memory.wrapper == kNoneButton ? Wrapper::None : Wrapper::Binary;
    return ConvertHex(text);
}

bool CSendDataDialog::ConvertHex(const std::string& text)
{
    std::string digits;
    for (const char c : text) {
        if (c != '\r' && c != '\n' && c != ' ') {
            digits += c;
        }
    }
    if (digits.empty()) {
        return Refuse(kText, "Command String Is Empty");
    }
    if (text.find_first_not_of(kHexCharacters) != std::string::npos) {
        return Refuse(kText, "Command String Contains Invalid Characters");
    }
    // An odd last digit has no partner and is not sent; a lone digit leaves nothing to send.
    const size_t count = digits.size() / 2;
    if (count == 0) {
        return Refuse(kText, "Command String Is Empty");
    }
    if (count > kMaxBytes) {
        return Refuse(kText, "Command String Is Too Long (500 bytes at most)");
    }
    m_bytes.clear();
    for (size_t i = 0; i < count; ++i) {
        m_bytes.push_back(static_cast<uint8_t>(HexDigit(digits[2 * i]) << 4 | HexDigit(digits[2 * i + 1])));
    }
    return true;
}

}  // namespace kestrion
