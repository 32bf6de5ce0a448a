#include "protocol/Layout.h"

namespace kestrion {
namespace {

// Each width reads from the wire and writes to it in its own way.
template <typename Word>
void DecodeWord(const uint8_t* in, uint8_t* out)
{
    Word value;
    if constexpr (sizeof(Word) == sizeof(uint8_t)) {
        value = *in;
    } else if constexpr (sizeof(Word) == sizeof(uint16_t)) {
        value = ReadU16(in);
    } else if constexpr (sizeof(Word) == sizeof(uint32_t)) {
        value = ReadU32(in);
    } else {
        value = ReadDoubleBits(in);
    }
    std::memcpy(out, &value, sizeof value);
}

template <typename Word>
void EncodeWord(const uint8_t* in, uint8_t* out)
{
    const Word value = BlockValue<Word>(in, 0);
    if constexpr (sizeof(Word) == sizeof(uint8_t)) {
        *out = value;
    } else if constexpr (sizeof(Word) == sizeof(uint16_t)) {
        WriteU16(out, value);
    } else if constexpr (sizeof(Word) == sizeof(uint32_t)) {
        WriteU32(out, value);
    } else {
        WriteDoubleBits(out, value);
    }
}

// The unsigned word as wide as a field, to move its bits.
template <typename Action>
void ForWordOf(FieldType type, Action action)
{
    switch (type) {
    case FieldType::U16:
    case FieldType::I16: action(uint16_t{}); break;
    case FieldType::U32:
    case FieldType::I32:
    case FieldType::F32: action(uint32_t{}); break;
    case FieldType::F64: action(uint64_t{}); break;
    case FieldType::U8:
    case FieldType::I8:
    case FieldType::Char: action(uint8_t{}); break;
    }
}

}  // namespace

void CLayout::Decode(const uint8_t* wire, uint8_t* block) const
{
    for (const LayoutField& field : Fields()) {
        ForWordOf(field.type, [&]<typename Word>(Word) { DecodeWord<Word>(wire + field.offset, block + field.offset); });
    }
}

void CLayout::Encode(const uint8_t* block, uint8_t* wire) const
{
    for (const LayoutField& field : Fields()) {
        ForWordOf(field.type, [&]<typename Word>(Word) { EncodeWord<Word>(block + field.offset, wire + field.offset); });
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
    ForWordOf(field.type, [&]<typename Word>(Word) {
        const auto narrow = static_cast<Word>(value);
        std::memcpy(block + field.offset, &narrow, sizeof narrow);
    });
}

}  // namespace kestrion
