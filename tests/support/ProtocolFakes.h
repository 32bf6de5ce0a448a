#pragma once
// Small recording fakes of the protocol's surroundings, for tests.
#include <algorithm>
#include <cstdint>
#include <iterator>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "protocol/CommandFrame.h"
#include "protocol/MessageRecord.h"
#include "protocol/ProtocolHost.h"

namespace kestrion::fakes {

// Everything asked of the host, and optionally of a sink, in call order.
using CallJournal = std::vector<std::string>;

class CFakeHost : public IProtocolHost {
public:
    void WriteLog(std::string_view line) override { Keep(log, "log:", line); }
    void PostFaultText(std::string_view text) override { Keep(faults, "fault:", text); }
    void PostReceiverText(std::string_view text) override { Keep(receiverTexts, "receiver-text:", text); }
    void SetDataReceived() override { ++dataReceived; journal.emplace_back("data-received"); }
    void DataActivity() override { ++dataActivity; journal.emplace_back("activity"); }
    void AlmanacComplete() override { ++almanacComplete; }
    void EphemerisComplete() override { ++ephemerisComplete; }
    // The display mode and the version poll as the program's services take them.
    void RecordImplied(const RecordImplications& implied) override
    {
        if (implied.nmeaSeen || implied.binarySeen) {
            nmeaMode = implied.nmeaSeen;
        }
        if (implied.versionPollDue) {
            ++versionPolls;
            journal.emplace_back("poll-version");
        }
    }

    // The journal without the chunk notices.
    CallJournal Calls() const
    {
        CallJournal calls;
        std::ranges::copy_if(journal, std::back_inserter(calls), [](const std::string& c) { return c != "activity"; });
        return calls;
    }

    CallJournal journal;
    std::vector<std::string> log, faults, receiverTexts;
    int dataReceived = 0, dataActivity = 0, almanacComplete = 0, ephemerisComplete = 0, versionPolls = 0;
    bool nmeaMode = false;

private:
    void Keep(std::vector<std::string>& list, const char* kind, std::string_view text)
    {
        list.emplace_back(text);
        journal.push_back(kind + std::string(text));
    }
};

// Keeps a copy of every record; writes "record:<type>" (and ":<text>" for texts) to a journal.
class CFakeSink : public IRecordSink {
public:
    explicit CFakeSink(CallJournal* journal = nullptr) : m_journal(journal) {}

    int AcceptRecord(const CMessageRecord* record) override
    {
        std::string entry = "record:";
        if (record == nullptr) {
            ++ends;
            entry += "end";
        } else {
            records.push_back(*record);
            entry += std::to_string(record->type);
            if (record->type == 255) {
                entry.append(":").append(record->Text());
            }
        }
        if (m_journal != nullptr) {
            m_journal->push_back(std::move(entry));
        }
        return record != nullptr ? 1 : 0;
    }

    std::vector<CMessageRecord> records;
    int ends = 0;

private:
    CallJournal* m_journal;
};

class CFakeLink : public IReceiverLink {
public:
    // The flag as a serial source takes it.
    void RecordDecoded(const RecordImplications& implied) override
    {
        if (const std::optional<uint8_t> value = implied.OkToSendAfter(okToSend)) {
            okToSend = *value;
            okToSendWrites.push_back(*value);
        }
    }
    std::span<int, 8> PollCountdowns() override { return countdowns; }
    void PollAnswered(uint8_t subId, std::span<const uint8_t> answer) override
    {
        answers.push_back({subId, std::vector<uint8_t>(answer.begin(), answer.end())});
    }
    bool FeedPaused() const override { return paused; }

    struct Answer {
        uint8_t subId;
        std::vector<uint8_t> bytes;
    };
    uint8_t okToSend = 0;
    std::vector<uint8_t> okToSendWrites;
    int countdowns[8] = {};
    std::vector<Answer> answers;
    bool paused = false;
};

using Bytes = std::vector<uint8_t>;

inline Bytes Join(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

// The bytes of a record block, to compare whole blocks.
template <typename Block>
Bytes BytesOf(const Block& block)
{
    const auto* bytes = reinterpret_cast<const uint8_t*>(&block);
    return {bytes, bytes + sizeof block};
}

inline Bytes Ascii(std::string_view text) { return {text.begin(), text.end()}; }

// A whole frame acknowledging a command: the simplest message to see delivered.
inline Bytes Ack(uint8_t commandMid) { return BuildCommandFrame(Bytes{11, commandMid}); }

}  // namespace kestrion::fakes
