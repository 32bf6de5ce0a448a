// Any text as a settings file: it is kept byte for byte, a key written is read back, also after
// reading the text again, and writing one key leaves the others as they were.
#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "platform/IniText.h"

namespace {

// A section or key name taken from the input: no line end, no brackets, no "=" or blanks.
std::string Name(std::string_view text)
{
    std::string name;
    for (const char c : text.substr(0, 8)) {
        if (c > ' ' && c != '=' && c != '[' && c != ']' && c != ';' && c != '#' && c != 0x7F) {
            name += c;
        }
    }
    return name.empty() ? "Key" : name;
}

bool SameName(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return std::tolower(x) == std::tolower(y); });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace kestrion;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CIniText ini(text);
    if (ini.Text() != text) {
        std::abort();
    }
    const std::string names[] = {Name(text), Name(text.substr(size / 3)), Name(text.substr(2 * size / 3))};
    // Section i holds key i + 1.
    const auto section = [&](size_t i) -> const std::string& { return names[i % 3]; };
    const auto key = [&](size_t i) -> const std::string& { return names[(i + 1) % 3]; };
    for (size_t i = 0; i < 3; ++i) {
        const std::optional<std::string> other = ini.Find(section(i + 1), key(i + 1));
        const std::string value = "value" + std::to_string(i);
        ini.Set(section(i), key(i), value);
        if (ini.Find(section(i), key(i)) != value) {
            std::abort();
        }
        const bool same = SameName(section(i), section(i + 1)) && SameName(key(i), key(i + 1));
        if (!same && ini.Find(section(i + 1), key(i + 1)) != other) {
            std::abort();
        }
    }
    const std::string written = ini.Text();
    const CIniText again(written);
    if (again.Text() != written) {
        std::abort();
    }
    for (size_t i = 0; i < 3; ++i) {
        if (again.Find(section(i), key(i)) != ini.Find(section(i), key(i))) {
            std::abort();
        }
    }
    return 0;
}
