#include "protocol/TextFormatter.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace kestrion {
namespace {

using Kind = CFormatArg::Kind;

constexpr size_t kMaxWidth = size_t{1} << 20;  // bounds what one directive can append

struct Directive {
    bool left = false;
    bool zero = false;
    size_t width = 0;
    int precision = -1;  // -1: none given
};

struct Decimal {
    bool negative;
    uint64_t magnitude;
};

int64_t Truncate(double value)
{
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= 0x1p63) {
        return std::numeric_limits<int64_t>::max();
    }
    if (value < -0x1p63) {
        return std::numeric_limits<int64_t>::min();
    }
    return static_cast<int64_t>(value);
}

// The value of d, i and u: each kind keeps its own signedness, a Word follows the letter.
Decimal DecimalOf(const CFormatArg& arg, char conversion)
{
    int64_t value = 0;
    switch (arg.GetKind()) {
    case Kind::Unsigned: return {false, arg.UnsignedValue()};
    case Kind::Word:
        if (conversion == 'u') {
            return {false, static_cast<uint32_t>(arg.UnsignedValue())};
        }
        value = static_cast<int32_t>(static_cast<uint32_t>(arg.UnsignedValue()));
        break;
    case Kind::Signed: value = arg.SignedValue(); break;
    case Kind::Double: value = Truncate(arg.DoubleValue()); break;
    case Kind::String: break;
    }
    const bool negative = value < 0;
    const uint64_t bits = static_cast<uint64_t>(value);
    return {negative, negative ? 0 - bits : bits};
}

// Two's-complement bits of an integer argument, for x, X and c.
uint64_t BitsOf(const CFormatArg& arg)
{
    switch (arg.GetKind()) {
    case Kind::Signed: return static_cast<uint64_t>(arg.SignedValue());
    case Kind::Unsigned:
    case Kind::Word: return arg.UnsignedValue();
    case Kind::Double: return static_cast<uint64_t>(Truncate(arg.DoubleValue()));
    case Kind::String: break;
    }
    return 0;
}

double DoubleOf(const CFormatArg& arg)
{
    switch (arg.GetKind()) {
    case Kind::Double: return arg.DoubleValue();
    case Kind::Signed: return static_cast<double>(arg.SignedValue());
    case Kind::Unsigned:
    case Kind::Word: return static_cast<double>(arg.UnsignedValue());
    case Kind::String: break;
    }
    return 0.0;
}

// Collects output in a local buffer so that the string grows once per few hundred bytes.
class CSink {
public:
    explicit CSink(std::string& out) : m_out(out) {}
    CSink(const CSink&) = delete;
    CSink& operator=(const CSink&) = delete;
    ~CSink() { Flush(); }

    // Room for n characters, or null when n exceeds the buffer.
    char* Reserve(size_t n)
    {
        if (n > sizeof m_buffer - m_used) {
            Flush();
            if (n > sizeof m_buffer) {
                return nullptr;
            }
        }
        return m_buffer + m_used;
    }
    void Commit(size_t n) { m_used += n; }

    void Append(const char* text, size_t n)
    {
        if (n == 0) {
            return;
        }
        if (char* to = Reserve(n)) {
            std::memcpy(to, text, n);
            m_used += n;
        } else {
            m_out.append(text, n);
        }
    }
    void Append(std::string_view text) { Append(text.data(), text.size()); }
    void Fill(char c, size_t n)
    {
        if (n == 0) {
            return;
        }
        if (char* to = Reserve(n)) {
            std::memset(to, c, n);
            m_used += n;
        } else {
            m_out.append(n, c);
        }
    }
    void Put(char c)
    {
        if (m_used == sizeof m_buffer) {
            Flush();
        }
        m_buffer[m_used++] = c;
    }

private:
    void Flush()
    {
        m_out.append(m_buffer, m_used);
        m_used = 0;
    }

    std::string& m_out;
    size_t m_used = 0;
    char m_buffer[512];
};

void AppendPadded(CSink& out, const Directive& directive, bool negative, size_t zeros,
                  std::string_view body)
{
    const size_t length = (negative ? 1 : 0) + zeros + body.size();
    const size_t pad = directive.width > length ? directive.width - length : 0;
    if (!directive.left) {
        out.Fill(' ', pad);
    }
    if (negative) {
        out.Put('-');
    }
    out.Fill('0', zeros);
    out.Append(body);
    if (directive.left) {
        out.Fill(' ', pad);
    }
}

// Zeros that the '0' flag adds between the sign and the digits.
size_t ZeroFill(const Directive& directive, bool negative, size_t length)
{
    const size_t used = length + (negative ? 1 : 0);
    return directive.zero && !directive.left && directive.width > used ? directive.width - used : 0;
}

bool IsPlain(const Directive& directive)
{
    return directive.width == 0 && directive.precision < 0;
}

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Plain %d: the numbers of a log line mostly have one to three digits.
inline void AppendDecimal(CSink& out, Decimal value)
{
    char* to = out.Reserve(24);
    char* const start = to;
    if (value.negative) {
        *to++ = '-';
    }
    if (value.magnitude < 10) {
        *to++ = static_cast<char>('0' + value.magnitude);
    } else if (value.magnitude < 100) {
        std::memcpy(to, kDigitPairs + 2 * value.magnitude, 2);
        to += 2;
    } else if (value.magnitude < 1000) {
        *to++ = static_cast<char>('0' + value.magnitude / 100);
        std::memcpy(to, kDigitPairs + 2 * (value.magnitude % 100), 2);
        to += 2;
    } else {
        to = std::to_chars(to, to + 20, value.magnitude).ptr;
    }
    out.Commit(static_cast<size_t>(to - start));
}

void AppendInteger(CSink& out, const Directive& directive, Decimal value, int base, bool upper)
{
    if (IsPlain(directive) && base == 10) {
        AppendDecimal(out, value);
        return;
    }
    char digits[24];
    size_t count = 0;
    if (directive.precision != 0 || value.magnitude != 0) {
        count = static_cast<size_t>(
            std::to_chars(digits, digits + sizeof digits, value.magnitude, base).ptr - digits);
    }
    if (upper) {
        for (size_t i = 0; i < count; ++i) {
            if (digits[i] >= 'a') {
                digits[i] = static_cast<char>(digits[i] - 'a' + 'A');
            }
        }
    }
    size_t zeros = 0;
    if (directive.precision < 0) {
        zeros = ZeroFill(directive, value.negative, count);
    } else if (static_cast<size_t>(directive.precision) > count) {
        zeros = static_cast<size_t>(directive.precision) - count;
    }
    AppendPadded(out, directive, value.negative, zeros, {digits, count});
}

void AppendDouble(CSink& out, const Directive& directive, double value, char conversion)
{
    const bool negative = std::signbit(value);
    if (!std::isfinite(value)) {
        AppendPadded(out, directive, negative, 0, std::isnan(value) ? "nan" : "inf");
        return;
    }
    const int precision = directive.precision < 0 ? 6 : directive.precision;
    const auto format =
        conversion == 'f' ? std::chars_format::fixed : std::chars_format::scientific;
    // The widest fixed text of a double has 309 integer digits.
    char local[400];
    std::string large;
    char* first = local;
    char* last = local + sizeof local;
    if (precision > 64) {
        large.resize(static_cast<size_t>(precision) + 400);
        first = large.data();
        last = first + large.size();
    }
    const char* end = std::to_chars(first, last, std::fabs(value), format, precision).ptr;
    const auto count = static_cast<size_t>(end - first);
    AppendPadded(out, directive, negative, ZeroFill(directive, negative, count), {first, count});
}

void AppendString(CSink& out, const Directive& directive, const CFormatArg& arg)
{
    std::string_view text = arg.GetKind() == Kind::String ? arg.StringValue() : std::string_view{};
    text = text.substr(0, text.find('\0'));
    if (directive.precision >= 0) {
        text = text.substr(0, static_cast<size_t>(directive.precision));
    }
    AppendPadded(out, directive, false, 0, text);
}

// Reads a decimal number; stops at kMaxWidth.
size_t ReadNumber(const char*& p, const char* end)
{
    size_t value = 0;
    while (p != end && *p >= '0' && *p <= '9') {
        value = std::min(value * 10 + static_cast<size_t>(*p - '0'), kMaxWidth);
        ++p;
    }
    return value;
}

int64_t StarValue(const CFormatArg& arg)
{
    const Decimal value = DecimalOf(arg, 'd');
    const auto magnitude = static_cast<int64_t>(std::min<uint64_t>(value.magnitude, kMaxWidth));
    return value.negative ? -magnitude : magnitude;
}

}  // namespace

void AppendFormat(std::string& text, std::string_view format, std::span<const CFormatArg> args)
{
    CSink out(text);
    static constexpr CFormatArg kMissing{};
    size_t nextArg = 0;
    auto take = [&]() -> const CFormatArg& {
        return nextArg < args.size() ? args[nextArg++] : kMissing;
    };

    const char* p = format.data();
    const char* const end = p + format.size();
    while (p != end) {
        while (*p != '%') {
            out.Put(*p);
            if (++p == end) {
                return;
            }
        }
        const char* const percent = p++;
        const char* letter = p;  // the common plain %d, %ld, %u, %lu
        while (letter != end && *letter == 'l') {
            ++letter;
        }
        if (letter != end && (*letter == 'd' || *letter == 'i' || *letter == 'u')) {
            AppendDecimal(out, DecimalOf(take(), *letter));
            p = letter + 1;
            continue;
        }

        Directive directive;
        for (; p != end && (*p == '-' || *p == '0'); ++p) {
            (*p == '-' ? directive.left : directive.zero) = true;
        }
        if (p != end && *p == '*') {
            ++p;
            const int64_t width = StarValue(take());
            directive.left = directive.left || width < 0;
            directive.width = static_cast<size_t>(width < 0 ? -width : width);
        } else {
            directive.width = ReadNumber(p, end);
        }
        if (p != end && *p == '.') {
            ++p;
            if (p != end && *p == '*') {
                ++p;
                const int64_t precision = StarValue(take());
                directive.precision = precision < 0 ? -1 : static_cast<int>(precision);
            } else {
                directive.precision = static_cast<int>(ReadNumber(p, end));
            }
        }
        while (p != end && *p == 'l') {
            ++p;
        }
        if (p == end) {
            out.Append(percent, static_cast<size_t>(end - percent));  // unfinished: kept as written
            return;
        }

        const char conversion = *p++;
        switch (conversion) {
        case 'd':
        case 'i':
        case 'u': AppendInteger(out, directive, DecimalOf(take(), conversion), 10, false); break;
        case 'x':
        case 'X':
            AppendInteger(out, directive, {false, static_cast<uint32_t>(BitsOf(take()))}, 16,
                          conversion == 'X');
            break;
        case 'f':
        case 'e': AppendDouble(out, directive, DoubleOf(take()), conversion); break;
        case 's': AppendString(out, directive, take()); break;
        case 'c': {
            const char character = static_cast<char>(BitsOf(take()));
            AppendPadded(out, directive, false, 0, {&character, 1});
            break;
        }
        case '%': out.Put('%'); break;
        default:
            out.Append(percent, static_cast<size_t>(p - percent));  // unknown: kept as written
            break;
        }
    }
}

}  // namespace kestrion
