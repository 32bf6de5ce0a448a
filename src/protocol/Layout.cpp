#include "protocol/Layout.h"

namespace kestrion {

void CLayout::Decode(const uint8_t* wire, uint8_t* block) const
{
    for (const LayoutField& field : Fields()) {
        const uint8_t* in = wire + field.offset;
        uint8_t* out = block + field.offset;
        switch (FieldSize(field.type)) {
        case 1:
            *out = *in;
            break;
        case 2: {
            const uint16_t value = ReadU16(in);
            std::memcpy(out, &value, sizeof value);
            break;
        }
        case 4: {
            const uint32_t value = ReadU32(in);
            std::memcpy(out, &value, sizeof value);
            break;
        }
        default: {
            const uint64_t value = ReadDoubleBits(in);
            std::memcpy(out, &value, sizeof value);
            break;
        }
        }
    }
}

}  // namespace kestrion
