#pragma once
// A small printf-like formatter that appends to a std::string, byte-identical to the C library
// for the conversions it knows and much faster.
//
// Directives: %[flags][width][.precision][l...]conversion with flags '-' and '0', '*' for the
// width or precision taken from the next argument, length 'l' ignored and the conversions
// d i u x X f e s c and %%. Arguments carry their kind; integers print by their own
// signedness whatever the letter says (d and u alike), and x/X print the low 32 bits. A Word is
// a raw 32-bit value that d/i print as signed and u/x/X as unsigned. Missing arguments read
// as 0; strings stop at their first NUL.
#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace kestrion {

class CFormatArg {
public:
    enum class Kind : uint8_t { Signed, Unsigned, Word, Double, String };

    constexpr CFormatArg() : m_kind(Kind::Signed), m_signed(0) {}

    template <std::integral T>
    constexpr CFormatArg(T value)  // NOLINT: implicit, arguments are written as plain values
    {
        if constexpr (std::is_signed_v<T>) {
            m_kind = Kind::Signed;
            m_signed = value;
        } else {
            m_kind = Kind::Unsigned;
            m_unsigned = value;
        }
    }
    constexpr CFormatArg(double value) : m_kind(Kind::Double), m_double(value) {}  // NOLINT
    constexpr CFormatArg(float value) : m_kind(Kind::Double), m_double(value) {}   // NOLINT
    constexpr CFormatArg(std::string_view value)                                   // NOLINT
        : m_kind(Kind::String), m_string{value.data(), value.size()}
    {
    }
    constexpr CFormatArg(const char* value) : CFormatArg(std::string_view(value)) {}  // NOLINT
    CFormatArg(const std::string& value) : CFormatArg(std::string_view(value)) {}     // NOLINT

    static constexpr CFormatArg Word(uint32_t value)
    {
        CFormatArg arg(value);
        arg.m_kind = Kind::Word;
        return arg;
    }

    constexpr Kind GetKind() const { return m_kind; }
    // The member of the kind; a Word is held as UnsignedValue().
    constexpr int64_t SignedValue() const { return m_signed; }
    constexpr uint64_t UnsignedValue() const { return m_unsigned; }
    constexpr double DoubleValue() const { return m_double; }
    constexpr std::string_view StringValue() const { return {m_string.data, m_string.size}; }

private:
    struct StringRef {
        const char* data;
        size_t size;
    };

    Kind m_kind;
    union {
        int64_t m_signed;
        uint64_t m_unsigned;
        double m_double;
        StringRef m_string;
    };
};

void AppendFormat(std::string& out, std::string_view format, std::span<const CFormatArg> args);

inline void AppendFormat(std::string& out, std::string_view format,
                         std::initializer_list<CFormatArg> args)
{
    AppendFormat(out, format, std::span<const CFormatArg>(args.begin(), args.size()));
}

// The formatted text as a new string.
inline std::string FormatText(std::string_view format, std::initializer_list<CFormatArg> args)
{
    std::string text;
    AppendFormat(text, format, args);
    return text;
}

}  // namespace kestrion
