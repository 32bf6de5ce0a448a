#pragma once
// Drives a receiver model on a virtual clock and decodes what it sends with the protocol
// library, as the program's serial line would.
#include <cstdint>
#include <string>
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

// Every poll is armed, so each MID 43 answer reaches PollAnswered.
class CArmedLink : public IReceiverLink {
public:
    uint8_t OkToSend() const override { return 1; }
    void SetOkToSend(uint8_t) override {}
    std::span<int, 8> PollCountdowns() override { return m_countdowns; }
    void PollAnswered(uint8_t subId, std::span<const uint8_t> answer) override
    {
        answers.push_back({subId, std::vector<uint8_t>(answer.begin(), answer.end())});
        m_countdowns.fill(60);
    }
    bool FeedPaused() const override { return false; }

    struct Answer {
        uint8_t subId;
        std::vector<uint8_t> block;
    };
    std::vector<Answer> answers;

private:
    std::array<int, 8> m_countdowns{60, 60, 60, 60, 60, 60, 60, 60};
};

class CReceiverHarness : private IFrameSink, private IRecordSink {
public:
    static constexpr int64_t kStepMs = 50;

    explicit CReceiverHarness(const SimConfig& config)
        : model(config, 0), m_framer(*this, m_host), m_delivery(m_decoder, m_record, *this, &link,
                                                                 CRecordDelivery::Line::Serial)
    {
        m_state.generation = config.generation;
        m_state.versionDetection = false;
        lineBaud = config.baud;
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
        payloads.clear();
        records.clear();
        sentences.clear();
        link.answers.clear();
        bytesCarried = 0;
    }

    std::vector<const CMessageRecord*> Of(uint8_t mid) const
    {
        std::vector<const CMessageRecord*> found;
        for (const CMessageRecord& record : records) {
            if (record.type == mid) {
                found.push_back(&record);
            }
        }
        return found;
    }

    std::vector<size_t> PayloadSizesOf(uint8_t mid) const
    {
        std::vector<size_t> sizes;
        for (const std::vector<uint8_t>& payload : payloads) {
            if (payload[0] == mid) {
                sizes.push_back(payload.size());
            }
        }
        return sizes;
    }

    CReceiverModel model;
    CArmedLink link;
    int lineBaud;
    size_t bytesCarried = 0;
    std::vector<std::vector<uint8_t>> payloads;
    std::vector<CMessageRecord> records;
    std::vector<std::string> sentences;

private:
    void OnFrame(std::span<const uint8_t> payload) override
    {
        payloads.emplace_back(payload.begin(), payload.end());
        m_delivery.OnFrame(payload);
    }
    void OnSentence(std::span<const uint8_t> sentence) override
    {
        sentences.emplace_back(sentence.begin(), sentence.end());
    }
    int AcceptRecord(const CMessageRecord* record) override
    {
        records.push_back(*record);
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
