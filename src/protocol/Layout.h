#pragma once
// Message layouts as data: a compact type string ("B3l3h...") names the fields of a payload in
// wire order. Each letter is one field, a number before a letter or a (group) repeats it:
//   B u8, b i8, H u16, h i16, L u32, l i32, f float, d double, c character (copied as is).
// A letter may carry a name after a colon ("B:mid h:altitude"); blanks between fields are
// ignored. A name may carry the field's scale and unit: "B:dop/5" counts fifths, "h:vx/8[m/s]"
// eighths of a metre a second, "B:azimuth*3/2[deg]" units of 1.5 degrees. Blocks keep the
// fields at the same offsets as the wire, in host byte order.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>

namespace kestrion {

enum class FieldType : uint8_t { U8, I8, U16, I16, U32, I32, F32, F64, Char };

// A field's unit as a fraction: one count is numerator/denominator of the unit.
struct FieldScale {
    uint32_t numerator = 1;
    uint32_t denominator = 1;
};

struct LayoutField {
    uint16_t offset;
    FieldType type;
    std::string_view name;  // empty for unnamed fields
    FieldScale scale{};
    std::string_view unit;  // empty for unscaled fields without one

    // A count in the field's unit (the product rounds once, as count * 0.2 does).
    constexpr double Scaled(double count) const
    {
        return count * (static_cast<double>(scale.numerator) / scale.denominator);
    }
    // The count of a value in the unit, not rounded: value * denominator / numerator.
    constexpr double Unscaled(double value) const
    {
        return value * scale.denominator / scale.numerator;
    }
    // The same in whole numbers, for exact fractions such as 1/8.
    constexpr int64_t UnscaledWhole(int64_t value) const
    {
        return value * scale.denominator / scale.numerator;
    }
};

constexpr size_t FieldSize(FieldType type)
{
    switch (type) {
    case FieldType::U16:
    case FieldType::I16:
        return 2;
    case FieldType::U32:
    case FieldType::I32:
    case FieldType::F32:
        return 4;
    case FieldType::F64:
        return 8;
    default:
        return 1;
    }
}

class CLayout {
public:
    static constexpr size_t kMaxFields = 64;

    // Invalid type strings fail to compile when the layout is constexpr.
    constexpr explicit CLayout(std::string_view types) { Append(types); }

    constexpr std::span<const LayoutField> Fields() const { return {m_fields.data(), m_count}; }
    constexpr size_t Size() const { return m_size; }

    // The (first) field of a name; a name the layout lacks fails to compile.
    consteval LayoutField Field(std::string_view name) const
    {
        for (const LayoutField& field : Fields()) {
            if (field.name == name) {
                return field;
            }
        }
        throw "no such field in the layout";
    }
    // Every repeat of a name in a repeated group; a count that does not match fails to compile.
    template <size_t N>
    consteval std::array<LayoutField, N> Fields(std::string_view name) const
    {
        std::array<LayoutField, N> found{};
        size_t count = 0;
        for (const LayoutField& field : Fields()) {
            if (field.name == name) {
                if (count == N) {
                    throw "the name repeats more often in the layout";
                }
                found[count++] = field;
            }
        }
        if (count != N) {
            throw "the name repeats less often in the layout";
        }
        return found;
    }

    // This layout followed by the fields of another.
    constexpr CLayout Then(const CLayout& next) const
    {
        CLayout joined = *this;
        for (const LayoutField& field : next.Fields()) {
            joined.AddField(field.type, field.name, field.scale, field.unit);
        }
        return joined;
    }

    // Converts Size() wire bytes (big-endian) into host-order block bytes at the same offsets.
    void Decode(const uint8_t* wire, uint8_t* block) const;
    // The reverse: Size() host-order block bytes into big-endian wire bytes.
    void Encode(const uint8_t* block, uint8_t* wire) const;

private:
    constexpr void Append(std::string_view types)
    {
        size_t repeat = 0;
        for (size_t i = 0; i < types.size(); ++i) {
            const char letter = types[i];
            if (letter == ' ') {
                continue;
            }
            if (letter >= '0' && letter <= '9') {
                repeat = repeat * 10 + static_cast<size_t>(letter - '0');
                continue;
            }
            std::string_view group;
            std::string_view name;
            FieldScale scale;
            std::string_view unit;
            if (letter == '(') {
                const size_t close = types.find(')', i);
                if (close == std::string_view::npos) {
                    throw "unbalanced layout group";
                }
                group = types.substr(i + 1, close - i - 1);
                i = close;
            } else if (i + 1 < types.size() && types[i + 1] == ':') {
                const size_t end = std::min(types.find_first_of(" ()", i), types.size());
                SplitName(types.substr(i + 2, end - i - 2), name, scale, unit);
                i = end - 1;
            }
            for (size_t n = 0; n < (repeat == 0 ? 1 : repeat); ++n) {
                if (letter == '(') {
                    Append(group);
                } else {
                    AddField(TypeOf(letter), name, scale, unit);
                }
            }
            repeat = 0;
        }
    }

    // "name", then optionally "*numerator", "/denominator" and "[unit]".
    static constexpr void SplitName(std::string_view token, std::string_view& name, FieldScale& scale,
                                    std::string_view& unit)
    {
        const size_t open = token.find('[');
        if (open != std::string_view::npos) {
            if (token.back() != ']' || open + 2 >= token.size()) {
                throw "bad layout field unit";
            }
            unit = token.substr(open + 1, token.size() - open - 2);
            token = token.substr(0, open);
        }
        const size_t scaleAt = std::min(token.find_first_of("*/"), token.size());
        name = token.substr(0, scaleAt);
        if (name.empty()) {
            throw "empty layout field name";
        }
        for (size_t at = scaleAt; at < token.size();) {
            const char sign = token[at++];
            if (sign != '*' && sign != '/') {
                throw "bad layout field scale";
            }
            uint32_t number = 0;
            const size_t first = at;
            while (at < token.size() && token[at] >= '0' && token[at] <= '9') {
                number = number * 10 + static_cast<uint32_t>(token[at++] - '0');
            }
            if (at == first || number == 0) {
                throw "bad layout field scale";
            }
            (sign == '*' ? scale.numerator : scale.denominator) = number;
        }
    }

    constexpr void AddField(FieldType type, std::string_view name, FieldScale scale = {}, std::string_view unit = {})
    {
        if (m_count == kMaxFields) {
            throw "layout has too many fields";
        }
        m_fields[m_count++] = LayoutField{static_cast<uint16_t>(m_size), type, name, scale, unit};
        m_size += FieldSize(type);
    }

    static constexpr FieldType TypeOf(char letter)
    {
        switch (letter) {
        case 'B': return FieldType::U8;
        case 'b': return FieldType::I8;
        case 'H': return FieldType::U16;
        case 'h': return FieldType::I16;
        case 'L': return FieldType::U32;
        case 'l': return FieldType::I32;
        case 'f': return FieldType::F32;
        case 'd': return FieldType::F64;
        case 'c': return FieldType::Char;
        default: throw "unknown layout letter";
        }
    }

    std::array<LayoutField, kMaxFields> m_fields{};
    size_t m_count = 0;
    size_t m_size = 0;
};

// Big-endian wire readers. A double travels as two big-endian 32-bit halves, the less
// significant half first.
inline uint16_t ReadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }
inline uint32_t ReadU32(const uint8_t* p)
{
    return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | uint32_t{p[3]};
}
inline int16_t ReadI16(const uint8_t* p) { return static_cast<int16_t>(ReadU16(p)); }
inline int32_t ReadI32(const uint8_t* p) { return static_cast<int32_t>(ReadU32(p)); }
inline uint64_t ReadDoubleBits(const uint8_t* p)
{
    return uint64_t{ReadU32(p + 4)} << 32 | ReadU32(p);
}

// Big-endian wire writers, the counterparts of the readers.
inline void WriteU16(uint8_t* p, uint16_t value)
{
    p[0] = static_cast<uint8_t>(value >> 8);
    p[1] = static_cast<uint8_t>(value);
}
inline void WriteU32(uint8_t* p, uint32_t value)
{
    WriteU16(p, static_cast<uint16_t>(value >> 16));
    WriteU16(p + 2, static_cast<uint16_t>(value));
}
inline void WriteDoubleBits(uint8_t* p, uint64_t bits)
{
    WriteU32(p, static_cast<uint32_t>(bits));
    WriteU32(p + 4, static_cast<uint32_t>(bits >> 32));
}

// Host-order reads of a block field, whatever its alignment.
template <typename T>
T BlockValue(const void* block, size_t offset)
{
    T value;
    std::memcpy(&value, static_cast<const uint8_t*>(block) + offset, sizeof value);
    return value;
}

// An integer field of a block, widened with its signedness; float fields give their bits.
int64_t FieldValue(const uint8_t* block, const LayoutField& field);
// Stores the value cut to the field's width, in host order.
void SetFieldValue(uint8_t* block, const LayoutField& field, int64_t value);

}  // namespace kestrion
