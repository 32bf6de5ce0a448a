#include "transport/RecordingIndex.h"

#include <algorithm>
#include <memory>

#include "protocol/LineDecoder.h"
#include "protocol/TextLineReader.h"
#include "transport/FileCloser.h"

namespace kestrion {

CRecordingIndex CRecordingIndex::Scan(const std::string& path, uint16_t truthWeek, uint32_t truthOffset)
{
    CRecordingIndex index;
    const FilePtr file(std::fopen(path.c_str(), "r"));
    if (file == nullptr) {
        return index;
    }
    CTextLineReader reader(file.get());
    const auto record = std::make_unique<CMessageRecord>();
    std::string error;
    std::string_view line;
    for (long offset = std::ftell(file.get()); reader.NextPiece(line); offset = std::ftell(file.get())) {
        if (!CTextLineReader::IsData(line)) {
            continue;
        }
        if (!DecodeLine(*record, line, error, truthWeek, truthOffset)) {
            break;
        }
        if (!record->HasTime()) {
            continue;
        }
        if (index.m_entries.empty()) {
            index.m_start = RecordTime(*record);
            index.m_entries.push_back({0, offset});
        } else if (const int64_t elapsed = RecordTime(*record) - index.m_start; elapsed > index.Total()) {
            index.m_entries.push_back({elapsed, offset});
        }
    }
    return index;
}

const CRecordingIndex::Entry& CRecordingIndex::At(int64_t elapsed) const
{
    const auto after = std::upper_bound(m_entries.begin(), m_entries.end(), elapsed,
                                        [](int64_t value, const Entry& entry) { return value < entry.elapsed; });
    return after == m_entries.begin() ? m_entries.front() : *(after - 1);
}

}  // namespace kestrion
