#include "cli/LogPrinter.h"

#include "protocol/RecordRenderer.h"

namespace kestrion::cli {

int CLogPrinter::AcceptRecord(const CMessageRecord* record)
{
    if (record != nullptr && RenderRecord(*record, m_state.generation, m_line)) {
        m_line += '\n';
        std::fwrite(m_line.data(), 1, m_line.size(), m_out);
    }
    return 1;
}

}  // namespace kestrion::cli
