#include "transport/Feed.h"

namespace kestrion {

// The source releases its timer and its file itself.
CFeed::~CFeed() = default;

int CFeed::Close()
{
    if (m_source != nullptr) {
        m_source->Close();
    }
    return 1;
}

int CFeed::AcceptRecord(const CMessageRecord* record)
{
    if (record != nullptr) {
        m_latest = *record;
    }
    return 0;
}

void CFeed::Restart()
{
    if (m_source != nullptr) {
        m_source->Restart();
    }
}

}  // namespace kestrion
