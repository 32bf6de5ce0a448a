#include "protocol/LayoutFormatter.h"

#include <array>

#include "protocol/TextFormatter.h"

namespace kestrion {
namespace {

CFormatArg ArgOf(const uint8_t* block, const LayoutField& field)
{
    switch (field.type) {
    case FieldType::U8: return BlockValue<uint8_t>(block, field.offset);
    case FieldType::I8: return BlockValue<int8_t>(block, field.offset);
    case FieldType::U16: return BlockValue<uint16_t>(block, field.offset);
    case FieldType::I16: return BlockValue<int16_t>(block, field.offset);
    case FieldType::U32: return BlockValue<uint32_t>(block, field.offset);
    case FieldType::I32: return BlockValue<int32_t>(block, field.offset);
    case FieldType::F32: return static_cast<double>(BlockValue<float>(block, field.offset));
    case FieldType::F64: return BlockValue<double>(block, field.offset);
    case FieldType::Char: return BlockValue<char>(block, field.offset);
    }
    return {};
}

}  // namespace

void AppendLayoutFields(std::string& out, const CLayout& layout, std::string_view format, const uint8_t* block)
{
    std::array<CFormatArg, CLayout::kMaxFields> args;
    const auto fields = layout.Fields();
    for (size_t i = 0; i < fields.size(); ++i) {
        args[i] = ArgOf(block, fields[i]);
    }
    AppendFormat(out, format, std::span<const CFormatArg>(args.data(), fields.size()));
}

}  // namespace kestrion
