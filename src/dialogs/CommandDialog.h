#pragma once
// A dialog that builds receiver commands: after OK its payloads (MID first, big-endian fields)
// go to the serial source in order. Dialogs that take current values read them from a
// current-values record: the command's payload layout with multi-byte fields in host order,
// byte 0 being the command's MID, or 0 when there are no values.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/DialogForm.h"
#include "protocol/Layout.h"

namespace kestrion {

using Payload = std::vector<uint8_t>;

class CCommandDialog : public CDialogForm {
public:
    using CDialogForm::CDialogForm;
    // The payloads to send once the dialog closed with OK.
    virtual std::vector<Payload> Payloads() const = 0;
};

// A current-values record, or none.
class CCurrentValues {
public:
    CCurrentValues() = default;
    explicit CCurrentValues(std::span<const uint8_t> record) : m_record(record) {}

    // Values were given and byte 0 is not 0.
    bool Present() const { return !m_record.empty() && m_record[0] != 0; }
    // A field of the command's layout, 0 when the record is too short to hold it.
    int64_t Get(const LayoutField& field) const
    {
        return field.offset + FieldSize(field.type) <= m_record.size() ? FieldValue(m_record.data(), field) : 0;
    }

private:
    std::span<const uint8_t> m_record;
};

// "<title>: Current" or "<title>: Default".
inline std::string TitleWithValues(std::string_view title, bool current)
{
    return std::string(title) + (current ? ": Current" : ": Default");
}

}  // namespace kestrion
