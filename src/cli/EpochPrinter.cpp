#include "cli/EpochPrinter.h"

#include <string>

#include "epoch/EpochJson.h"

namespace kestrion::cli {

int CEpochPrinter::AcceptRecord(const CMessageRecord* record)
{
    if (record == nullptr) {
        Finish();
    } else {
        Print(m_state.Take(*record));
    }
    return 1;
}

void CEpochPrinter::OnUpdate(UpdateHint hint, const CMessageRecord* record)
{
    if (hint == UpdateHint::Opening) {
        // What was open belongs to the source before.
        Finish();
        m_state.Reset();
    } else if (hint == UpdateHint::SourceEnded) {
        Finish();
    } else if (hint == UpdateHint::Record && record != nullptr) {
        Print(m_state.Take(*record));
    }
}

void CEpochPrinter::Finish()
{
    Print(m_state.Finish());
}

void CEpochPrinter::Print(const ReceiverEpoch* epoch)
{
    if (epoch == nullptr) {
        return;
    }
    std::string line = EpochJsonLine(*epoch);
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), m_out);
    ++m_printed;
}

}  // namespace kestrion::cli
