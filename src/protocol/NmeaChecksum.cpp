#include "protocol/NmeaChecksum.h"

namespace kestrion {
namespace {

int HexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

uint8_t NmeaChecksum(std::string_view body)
{
    uint8_t checksum = 0;
    for (char c : body) {
        checksum ^= static_cast<uint8_t>(c);
    }
    return checksum;
}

NmeaChecksumCheck CheckNmeaChecksum(std::string_view sentence)
{
    while (!sentence.empty() && (sentence.back() == '\n' || sentence.back() == '\r')) {
        sentence.remove_suffix(1);
    }
    if (sentence.starts_with('$')) {
        sentence.remove_prefix(1);
    }
    NmeaChecksumCheck check;
    const size_t star = sentence.rfind('*');
    if (star == std::string_view::npos) {
        check.body = sentence;
        return check;
    }
    check.body = sentence.substr(0, star);
    check.present = true;
    check.computed = NmeaChecksum(check.body);
    const std::string_view digits = sentence.substr(star + 1);
    const int high = digits.size() == 2 ? HexValue(digits[0]) : -1;
    const int low = digits.size() == 2 ? HexValue(digits[1]) : -1;
    if (high < 0 || low < 0) {
        check.valid = false;
        return check;
    }
    check.received = static_cast<uint8_t>(high * 16 + low);
    check.valid = check.received == check.computed;
    return check;
}

bool EndsInGoodChecksum(const uint8_t* sentence, size_t size)
{
    const NmeaChecksumCheck check = CheckNmeaChecksum({reinterpret_cast<const char*>(sentence), size});
    return check.present && check.valid;
}

}  // namespace kestrion
