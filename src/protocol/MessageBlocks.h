#pragma once
// Storage blocks of the message record: the decoded fields of one message kind, in host byte
// order, at the offsets and widths of the wire layout (no padding).
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

namespace kestrion {

// A multi-byte field at any offset. It converts to and from its value, so it never binds a
// misaligned reference.
template <typename T>
class Unaligned {
public:
    Unaligned() = default;
    constexpr Unaligned(T value) : m_bytes(std::bit_cast<Bytes>(value)) {}  // NOLINT: converts like T
    constexpr Unaligned& operator=(T value)
    {
        m_bytes = std::bit_cast<Bytes>(value);
        return *this;
    }
    constexpr operator T() const { return Value(); }  // NOLINT: reads like T
    constexpr T Value() const { return std::bit_cast<T>(m_bytes); }

    template <typename Stream>
    friend Stream& operator<<(Stream& out, const Unaligned& field)
    {
        return out << field.Value();
    }

private:
    using Bytes = std::array<uint8_t, sizeof(T)>;
    Bytes m_bytes;
};

inline constexpr size_t kChannels = 12;
inline constexpr size_t kCnoCount = 10;
inline constexpr size_t kMaxErrorWords = 60;
inline constexpr size_t kMaxVisibleEntries = 33;
inline constexpr size_t kMaxDevelopmentBytes = 999;
inline constexpr size_t kTextCapacity = 1024;
inline constexpr uint16_t kFaultMarker = 0xFFFF;

// Navigation mode 1, bit 3: the receiver holds the program's commands back.
inline constexpr uint8_t kNavHoldsCommands = 0x08;

struct NavBlock {  // MIDs 1 and 2
    uint8_t mid;
    Unaligned<int32_t> x, y, z;     // m
    Unaligned<int16_t> vx, vy, vz;  // 1/8 m/s
    uint8_t mode1;
    uint8_t dop;  // 1/5
    uint8_t mode2;
    Unaligned<uint16_t> week;
    Unaligned<uint32_t> tow;  // 1/100 s
    uint8_t svCount;
    uint8_t svIds[kChannels];
};

struct TrackerChannel {
    uint8_t svId;
    uint8_t azimuth;    // 1.5 degrees
    uint8_t elevation;  // 0.5 degree
    Unaligned<uint16_t> state;
    uint8_t cno[kCnoCount];
    uint8_t averageCno;  // of the non-zero values
};

struct TrackerBlock {  // MIDs 3, 4 and 23
    uint8_t mid;
    Unaligned<uint16_t> week;
    Unaligned<uint32_t> tow;  // 1/100 s
    uint8_t channelCount;
    TrackerChannel channels[kChannels];
};

struct SwVersionBlock {  // MID 6
    uint8_t mid;
    char version[20];  // NUL-padded
};

struct ClockStatusBlock {  // MID 7
    uint8_t mid;
    Unaligned<uint16_t> week;
    Unaligned<uint32_t> tow;
    uint8_t svCount;
    Unaligned<uint32_t> clockDrift;  // Hz
    Unaligned<uint32_t> clockBias;   // ns
    Unaligned<uint32_t> estGpsTime;  // ms
};

struct FiftyBpsBlock {  // MID 8
    uint8_t mid;
    uint8_t channel;
    uint8_t svId;
    Unaligned<uint32_t> words[10];
};

struct ThroughputBlock {  // MID 9
    uint8_t mid;
    Unaligned<uint16_t> segStatMax;
    Unaligned<uint16_t> latency;
    Unaligned<uint16_t> aveTrkTime;
    Unaligned<uint16_t> navComplete;  // ms
};

struct ErrorBlock {  // MID 10
    uint8_t mid;
    Unaligned<uint16_t> code;
    Unaligned<uint16_t> count;  // capped to the words held
    Unaligned<uint32_t> words[kMaxErrorWords];
};

struct AckBlock {  // MIDs 11 and 12
    uint8_t mid;
    uint8_t commandMid;
};

struct VisibleEntry {
    uint8_t svId;
    Unaligned<int16_t> azimuth;
    Unaligned<int16_t> elevation;
};

struct VisibleListBlock {  // MID 13
    uint8_t mid;
    uint8_t count;  // capped to the entries held
    VisibleEntry entries[kMaxVisibleEntries];
};

struct AlmanacBlock {  // MID 14
    uint8_t mid;
    uint8_t svId;
    Unaligned<uint16_t> words[14];
};

struct EphemerisBlock {  // MID 15
    uint8_t mid;
    uint8_t svId;
    Unaligned<uint16_t> words[45];
};

struct DevelopmentDataBlock {  // MID 17: the data bytes as upper-case hex text
    uint8_t mid;
    char hex[2 * kMaxDevelopmentBytes + 2];
};

struct OkToSendBlock {  // MID 18
    uint8_t mid;
    uint8_t okToSend;
};

struct MgrParams1Block {  // MID 19, generation 1
    uint8_t mid;
    uint8_t altConstraint;
    uint8_t altMode;
    uint8_t altSource;
    Unaligned<int16_t> altitude;
    uint8_t degradedMode;
    uint8_t degradedTimeout;  // s
    uint8_t drTimeout;        // s
    uint8_t trackSmoothMode;
    uint8_t dopMaskMode;
    uint8_t dgpsMode;
    uint8_t dgpsTimeout;  // s
    Unaligned<int16_t> elevMask;     // 1/10 degree
    uint8_t powerMask;    // dB-Hz
    Unaligned<uint16_t> editResidualThreshold;
    uint8_t steadyDetectThreshold;  // 1/10 m/s^2
    uint8_t staticNavThreshold;     // 1/10 m/s
    uint8_t lpState;
    uint8_t lpDutyCycle;  // %
    Unaligned<uint16_t> lpOnTime;    // ms
};

struct MgrParamsBlock {  // MID 19, later generations
    uint8_t mid;
    Unaligned<uint32_t> reserved1;
    uint8_t altMode;
    uint8_t altSource;
    Unaligned<int16_t> altitude;
    uint8_t degradedMode;
    uint8_t degradedTimeout;
    uint8_t drTimeout;
    uint8_t trkSmoothMode;
    uint8_t staticNav;
    uint8_t threeSvLsq;
    Unaligned<uint32_t> reserved2;
    uint8_t dopMaskMode;
    Unaligned<int16_t> elevMask;  // 1/10 degree
    uint8_t pwrMask;
    Unaligned<uint32_t> reserved3;
    uint8_t dgpsSource;
    uint8_t dgpsMode;
    uint8_t dgpsTimeout;
    Unaligned<uint32_t> reserved4;
    uint8_t periodicWakeUp;
    Unaligned<uint32_t> lpOnTime;       // ms
    Unaligned<uint32_t> lpCyclePeriod;  // ms
    uint8_t userTasks;
    Unaligned<uint32_t> userTaskPeriod;
    uint8_t dutyCycled;
    Unaligned<uint32_t> maxAcqTime;  // ms
    Unaligned<uint32_t> maxOffTime;  // ms
    Unaligned<uint32_t> reserved5;
    Unaligned<uint32_t> reserved6;
};

struct DgpsChannel {
    uint8_t svId;
    Unaligned<int16_t> correction;  // 0.01 m
};

struct DgpsStatusBlock {  // MID 27
    uint8_t mid;
    uint8_t source;
    Unaligned<uint32_t> beaconFrequency;  // Hz
    uint8_t beaconBitRate;     // bit/s
    uint8_t beaconStatus;
    Unaligned<int32_t> signalMagnitude;
    Unaligned<int16_t> signalStrength;  // dB
    Unaligned<int16_t> snr;             // dB
    DgpsChannel channels[kChannels];
};

// Messages whose fields have no names of their own (MIDs 5, 28..31): bytes read through the layout.
template <size_t N>
struct RawBlock {
    uint8_t bytes[N];
};

// One answer to a command-parameter poll (MID 43), from the sub-ID on.
struct PollAnswerBlock {
    uint8_t bytes[34];
    int present;
};

static_assert(sizeof(NavBlock) == 41);
static_assert(sizeof(TrackerBlock) == 200);
static_assert(sizeof(SwVersionBlock) == 21);
static_assert(sizeof(ClockStatusBlock) == 20);
static_assert(sizeof(FiftyBpsBlock) == 43);
static_assert(sizeof(ThroughputBlock) == 9);
static_assert(sizeof(ErrorBlock) == 245);
static_assert(sizeof(VisibleListBlock) == 167);
static_assert(sizeof(AlmanacBlock) == 30);
static_assert(sizeof(EphemerisBlock) == 92);
static_assert(sizeof(MgrParams1Block) == 24);
static_assert(sizeof(MgrParamsBlock) == 65);
static_assert(sizeof(DgpsStatusBlock) == 52);

}  // namespace kestrion
