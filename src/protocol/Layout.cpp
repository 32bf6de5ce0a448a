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

void CLayout::Encode(const uint8_t* block, uint8_t* wire) const
{
    for (const LayoutField& field : Fields()) {
        const uint8_t* in = block + field.offset;
        uint8_t* out = wire + field.offset;
        switch (FieldSize(field.type)) {
        case 1: *out = *in; break;
        case 2: WriteU16(out, BlockValue<uint16_t>(in, 0)); break;
        case 4: WriteU32(out, BlockValue<uint32_t>(in, 0)); break;
        default: WriteDoubleBits(out, BlockValue<uint64_t>(in, 0)); break;
        }
    }
}

int64_t FieldValue(const uint8_t* block, const LayoutField& field)
{
    switch (field.type) {
    case FieldType::I8: return BlockValue<int8_t>(block, field.offset);
    case FieldType::U16: return BlockValue<uint16_t>(block, field.offset);
    case FieldType::I16: return BlockValue<int16_t>(block, field.offset);
    case FieldType::U32:
    case FieldType::F32: return BlockValue<uint32_t>(block, field.offset);
    case FieldType::I32: return BlockValue<int32_t>(block, field.offset);
    case FieldType::F64: return BlockValue<int64_t>(block, field.offset);
    default: return BlockValue<uint8_t>(block, field.offset);
    }
}

void SetFieldValue(uint8_t* block, const LayoutField& field, int64_t value)
{
    const auto bits = static_cast<uint64_t>(value);
    uint8_t* out = block + field.offset;
    switch (FieldSize(field.type)) {
    case 1: *out = static_cast<uint8_t>(bits); break;
    case 2: {
        const auto narrow = static_cast<uint16_t>(bits);
        std::memcpy(out, &narrow, sizeof narrow);
        break;
    }
    case 4: {
        const auto narrow = static_cast<uint32_t>(bits);
        std::memcpy(out, &narrow, sizeof narrow);
        break;
    }
    default: std::memcpy(out, &bits, sizeof bits); break;
    }
}

}  // namespace kestrion
