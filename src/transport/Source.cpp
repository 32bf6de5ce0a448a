#include "transport/Source.h"

namespace kestrion {

int CSource::Open(int role, const std::string& name)
{
    m_role = role;
    if (!name.empty()) {
        m_name = name;
    }
    return 1;
}

}  // namespace kestrion
