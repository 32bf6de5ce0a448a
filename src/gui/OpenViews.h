#pragma once
// The "Main"/"OpenViews" value: one character per view slot, '1' when the view was last
// shown and '0' when it was hidden, padded with '0' to 99 characters. Every change is written
// back at once, the whole string. Until the key is written, the eight receiver views are open
// and the statistics view is not.
#include <string>

#include "platform/Profile.h"

namespace kestrion {

class COpenViews {
public:
    static constexpr size_t kLength = 99;
    static constexpr const char* kDefault = "11111111";

    // Reads the stored value.
    explicit COpenViews(const CProfile& profile);

    // Reads the stored value, or the default without one, afresh: it replaces the start of the
    // string, at most 99 characters of it.
    void Load();
    bool IsOpen(int slot) const { return m_text[static_cast<size_t>(slot)] == '1'; }
    // Marks the slot and writes the string.
    void Set(int slot, bool open);
    const std::string& Text() const { return m_text; }

private:
    const CProfile& m_profile;
    std::string m_text;
};

}  // namespace kestrion
