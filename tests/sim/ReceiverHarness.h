#pragma once
// Drives a receiver model on a virtual clock and decodes what it sends with the protocol
// library, as the program's serial line would.
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "protocol/CommandFrame.h"
#include "protocol/MessageDecoder.h"
#include "protocol/MessageRecord.h"
#include "protocol/QuietHost.h"
#include "protocol/RecordDelivery.h"
#include "protocol/SerialFramer.h"
#include "sim/BytePacer.h"
#include "sim/ReceiverModel.h"

namespace kestrion::test {

// Every poll is armed, so each MID 43 answer reaches PollAnswered as (sub-id, block).
struct CArmedLink : IReceiverLink {
    void RecordDecoded(const RecordImplications&) override {}  // commands always go
    std::span<int, 8> PollCountdowns() override { return countdowns; }
    void PollAnswered(uint8_t subId, std::span<const uint8_t> block) override
    {
        answers.emplace_back(subId, std::vector<uint8_t>(block.begin(), block.end()));
        countdowns.fill(60);
    }
    bool FeedPaused() const override { return false; }
    std::vector<std::pair<uint8_t, std::vector<uint8_t>>> answers;
    std::array<int, 8> countdowns{60, 60, 60, 60, 60, 60, 60, 60};
};

class CReceiverHarness : private IFrameSink, private IRecordSink {
public:
    static constexpr int64_t kStepMs = 50;

    explicit CReceiverHarness(const SimConfig& config)
        : model(config, 0), lineBaud(config.baud), m_framer(*this, m_host),
          m_delivery(m_decoder, m_record, *this, &link, CRecordDelivery::Line::Serial)
    {
        m_state.generation = config.generation;
        m_state.versionDetection = false;
    }

    void Command(const std::vector<uint8_t>& payload) { Write(BuildCommandFrame(payload)); }
    void Sentence(const std::string& body)
    {
        const std::string sentence = BuildNmeaSentence(body);
        Write({sentence.begin(), sentence.end()});
    }
    void Write(const std::vector<uint8_t>& bytes) { model.Receive(bytes, lineBaud); }

    // Runs the clock on; the line carries what the pacing of the receiver's baud allows.
    void Run(double seconds)
    {
        for (const int64_t end = m_now + static_cast<int64_t>(seconds * 1000); m_now < end;) {
            m_now += kStepMs;
            model.Advance(m_now);
            const std::vector<uint8_t> bytes = model.TakeOutput(m_pacer.Allowance(m_now, model.Baud()), lineBaud);
            m_pacer.Spend(bytes.size());
            bytesCarried += bytes.size();
            m_framer.Accept(bytes.data(), bytes.size());
            m_delivery.TickPollAnswers();
        }
    }

    // Drops what was decoded so far.
    void Forget()
    {
        payloads.clear(), of.clear(), sizesOf.clear(), sentences.clear(), link.answers.clear();
        bytesCarried = 0;
    }

    CReceiverModel model;
    CArmedLink link;
    int lineBaud;
    size_t bytesCarried = 0;
    std::vector<std::vector<uint8_t>> payloads;
    std::map<uint8_t, std::vector<CMessageRecord>> of;  // the decoded records by MID
    std::map<uint8_t, std::vector<size_t>> sizesOf;     // the payload sizes by MID
    std::vector<std::string> sentences;

private:
    void OnFrame(std::span<const uint8_t> payload) override
    {
        payloads.emplace_back(payload.begin(), payload.end());
        sizesOf[payload[0]].push_back(payload.size());
        m_delivery.OnFrame(payload);
    }
    void OnSentence(std::span<const uint8_t> sentence) override { sentences.emplace_back(sentence.begin(), sentence.end()); }
    int AcceptRecord(const CMessageRecord* record) override
    {
        of[record->type].push_back(*record);
        return 1;
    }

    ProtocolState m_state;
    CQuietHost m_host;
    CMessageDecoder m_decoder{m_state, m_host};
    CMessageRecord m_record;
    CSerialFramer m_framer;
    CRecordDelivery m_delivery;
    CBytePacer m_pacer{0};
    int64_t m_now = 0;
};

}  // namespace kestrion::test
