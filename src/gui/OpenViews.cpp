#include "gui/OpenViews.h"

#include <algorithm>

namespace kestrion {
namespace {

constexpr const char* kSection = "Main";
constexpr const char* kKey = "OpenViews";

}  // namespace

COpenViews::COpenViews(const CProfile& profile) : m_profile(profile)
{
    Load();
}

void COpenViews::Load()
{
    m_text.assign(kLength, '0');
    const std::string stored = m_profile.GetString(kSection, kKey, kDefault);
    m_text.replace(0, std::min(stored.size(), kLength), stored, 0, kLength);
}

void COpenViews::Set(int slot, bool open)
{
    m_text[static_cast<size_t>(slot)] = open ? '1' : '0';
    m_profile.WriteString(kSection, kKey, m_text);
}

}  // namespace kestrion
