// Any text as a settings file: it is kept byte for byte, and a key written is read back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace kestrion;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CIniText ini(text);
    if (ini.Text() != text) {
        std::abort();
    }
    const std::string section = Name(text);
    const std::string key = Name(text.substr(size / 2));
    ini.Find(section, key);
    ini.Set(section, key, "value");
    if (ini.Find(section, key) != "value" || CIniText(ini.Text()).Find(section, key) != "value") {
        std::abort();
    }
    return 0;
}
