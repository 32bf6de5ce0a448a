#pragma once
// One decoded message: the unit that sources fill, feeds keep and views and the log read.
// Only the block of the current type is meaningful.
#include <cstdint>
#include <span>
#include <string_view>

#include "protocol/MessageBlocks.h"
#include "protocol/Mid.h"

namespace kestrion {

// The week length of record times, in 1/100 s (times of week wrap here, not at 60480000).
inline constexpr int64_t kWeekLength = 60479900;

// The slot of a command-parameter poll answer's sub-ID in countdown order (kPollSubIds of
// MessageLayouts.h), -1 for other values.
int PollSlotOf(uint8_t subId);

// The blocks of a record, as the message table names the one each message fills.
enum class RecordBlock : uint8_t {
    None,
    Nav,
    Tracker,
    RawTrack,
    SwVersion,
    ClockStatus,
    FiftyBps,
    Throughput,
    Error,
    Ack,
    Nak,
    VisibleList,
    Almanac,
    Ephemeris,
    DevelopmentData,
    OkToSend,
    MgrParams,  // two blocks: generation 1 and later ones
    DgpsStatus,
    Mid28,
    Mid29,
    Mid30,
    Mid31,
    Text,  // the text, not a block
};

class CMessageRecord {
public:
    CMessageRecord() = default;
    virtual ~CMessageRecord() = default;
    CMessageRecord(const CMessageRecord&) = default;
    CMessageRecord& operator=(const CMessageRecord&) = default;

    // Clears the block of the current type and sets type 0.
    void Clear();
    // Clears the block of the current type, then takes the new type with a cleared block, so
    // no byte of an earlier message shows in the next one.
    void Reset(uint8_t newType);
    void SetType(uint8_t newType) { type = newType; }

    // Week and time of week (1/100 s), held by the navigation block for types 1 and 2 and by
    // the tracker block for types 3 and 4; other types have none.
    bool HasTime() const;
    uint16_t Week() const;
    uint32_t Tow() const;

    // The storage a type decodes into (empty for types without one), as the message table
    // says. Type 19 has two blocks; this returns the one of the given generation.
    std::span<uint8_t> BlockOf(uint8_t ofType, int generation = 0);
    std::span<uint8_t> BlockOf(RecordBlock block, int generation = 0);
    std::span<const uint8_t> BlockOf(RecordBlock block, int generation = 0) const;

    // Text records (type 255).
    std::string_view Text() const { return {text, textLength}; }
    void SetText(std::string_view value);  // cut to 1023 characters

    uint8_t type = 0;

    NavBlock nav{};
    TrackerBlock tracker{};
    RawBlock<51> rawTrack{};  // MID 5
    SwVersionBlock swVersion{};
    ClockStatusBlock clockStatus{};
    FiftyBpsBlock fiftyBps{};
    ThroughputBlock throughput{};
    ErrorBlock error{};
    AckBlock ack{};
    AckBlock nak{};
    VisibleListBlock visibleList{};
    AlmanacBlock almanac{};
    EphemerisBlock ephemeris{};
    DevelopmentDataBlock developmentData{};  // MID 17
    OkToSendBlock okToSend{};
    MgrParams1Block mgrParams1{};
    MgrParamsBlock mgrParams{};
    DgpsStatusBlock dgpsStatus{};
    RawBlock<56> mid28{};
    RawBlock<26> mid29{};
    RawBlock<83> mid30{};
    RawBlock<84> mid31{};
    PollAnswerBlock pollAnswers[8]{};  // by PollSlotOf(sub-ID); kept until the poll tick hands them on

    uint16_t faultMarker = 0;  // kFaultMarker on program fault texts
    uint16_t textLength = 0;
    char text[kTextCapacity]{};

private:
    void ZeroBlockOfType();
};

}  // namespace kestrion
