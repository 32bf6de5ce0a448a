#include "transport/RandomSource.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "protocol/MessageLayouts.h"
#include "protocol/TextFormatter.h"
#include "transport/Feed.h"
#include "transport/FeedEvents.h"

namespace kestrion {
namespace {

constexpr int kCounterLimit = 100'000'000;
constexpr int kTowStep = 50;  // 1/100 s
constexpr int32_t kOriginX = -2689284;
constexpr int32_t kOriginY = -4304117;
constexpr int32_t kOriginZ = 3850150;
constexpr int kCubeSide = 200;  // m
constexpr size_t kRawCnoOffset = 35;

constexpr std::string_view kTrackerText = "Data packet for randomly generated tracking data (%ld).";
constexpr std::string_view kNavigationText = "Data packet for randomly generated navigation data (%ld).";
constexpr std::string_view kDebugText =
    "Data packet for randomly generated debug data (%ld).\nNewline1 (%ld)\nNewline2 (%ld)";

// The format with every %ld replaced by the counter.
std::string CounterText(std::string_view format, int counter)
{
    std::string text;
    AppendFormat(text, format, {counter, counter, counter});
    return text;
}

}  // namespace

CRandomSource::CRandomSource(CFeed& owner, IFeedEventSink& events, ITimerService& timers, RandomState& state,
                             IRandomGenerator& generator)
    : CSource(owner, ""), m_events(events), m_timers(timers), m_state(state), m_generator(generator)
{
}

CRandomSource::~CRandomSource()
{
    CRandomSource::Close();
}

void CRandomSource::Start()
{
    if (m_role == kRoleMeasured && m_timer == 0) {
        m_timer = m_timers.Register(kTickPlayback, *this, 1000);
    }
}

int CRandomSource::Close()
{
    m_timer = m_timers.Cancel(m_timer);
    return 1;
}

void CRandomSource::Restart()
{
    Close();
    Start();
}

void CRandomSource::Tick(int /*tickCode*/)
{
    ReadRecord();
}

const CMessageRecord* CRandomSource::ReadRecord()
{
    m_record.Clear();
    int& counter = m_state.tickCounter;
    counter = counter > kCounterLimit ? 0 : counter + 1;

    MakeTracker(counter);
    MakeNavigation(counter);
    MakeDebugText(counter);
    MakeRawTrack();
    return nullptr;
}

int CRandomSource::Draw(int k)
{
    const int64_t r = m_generator.Next();
    return static_cast<int>((r - 1) * k / 32767);
}

int CRandomSource::DrawFromOne(int n)
{
    return 1 - Draw(-n);
}

void CRandomSource::MakeTracker(int counter)
{
    TrackerBlock& tracker = m_record.tracker;
    NavBlock& nav = m_record.nav;
    int& timeOfWeek = m_state.timeOfWeek;

    tracker.week = 1;
    timeOfWeek += kTowStep;
    tracker.tow = static_cast<uint32_t>(timeOfWeek);
    const int channelCount = 12 - (counter > 5) - (counter > 10) - (counter > 15) - (counter > 20);
    tracker.channelCount = static_cast<uint8_t>(channelCount);

    nav.svCount = 0;
    for (int i = 0; i < channelCount; ++i) {
        TrackerChannel& channel = tracker.channels[i];
        channel.svId = static_cast<uint8_t>(Draw(33));
        channel.azimuth = static_cast<uint8_t>(DrawFromOne(240));
        channel.elevation = static_cast<uint8_t>(DrawFromOne(240));
        const bool hasSignal = channel.svId != 0 && DrawFromOne(4) != 2;
        if (!hasSignal) {
            // The average C/N0 keeps what the block held.
            channel.state = 0;
            std::ranges::fill(channel.cno, 0);
            continue;
        }
        int sum = 0;
        for (uint8_t& cno : channel.cno) {
            cno = static_cast<uint8_t>(DrawFromOne(60));
            sum += cno;
        }
        channel.state = static_cast<uint16_t>(DrawFromOne(255));
        channel.averageCno = static_cast<uint8_t>(sum / static_cast<int>(kCnoCount));
        nav.svIds[nav.svCount++] = channel.svId;
    }

    tracker.mid = MID_MeasuredTracker;
    m_record.SetType(MID_MeasuredTracker);
    m_record.SetText(CounterText(kTrackerText, counter));
    Deliver();
}

void CRandomSource::MakeNavigation(int counter)
{
    NavBlock& nav = m_record.nav;
    nav.mid = MID_MeasuredNavigation;
    nav.x = kOriginX + Draw(kCubeSide);
    nav.y = kOriginY + Draw(kCubeSide);
    nav.z = kOriginZ + Draw(kCubeSide);
    nav.vx = static_cast<int16_t>(31 - Draw(64));
    nav.vy = static_cast<int16_t>(31 - Draw(64));
    nav.vz = static_cast<int16_t>(31 - Draw(64));
    nav.dop = static_cast<uint8_t>(DrawFromOne(50));
    nav.mode1 = static_cast<uint8_t>(Draw(6));
    nav.week = m_record.tracker.week;
    nav.tow = m_record.tracker.tow;

    m_record.SetType(MID_MeasuredNavigation);
    m_record.SetText(CounterText(kNavigationText, counter));
    Deliver();
}

void CRandomSource::MakeDebugText(int counter)
{
    m_record.Clear();
    m_record.SetType(MID_ASCIIData);
    m_record.SetText(CounterText(kDebugText, counter));
    Deliver();
}

void CRandomSource::MakeRawTrack()
{
    // Clearing the text record empties its text; the raw track record keeps the debug text.
    const std::string debugText(m_record.Text());
    m_record.Clear();

    // A counting pattern after the MID byte; the ten C/N0 values are random.
    uint8_t* block = m_record.rawTrack.bytes;
    block[0] = MID_RawTrkData;
    int next = 1;
    for (const LayoutField& field : layouts::kRawTrack.Fields().subspan(1)) {
        const bool isCno = field.offset >= kRawCnoOffset && field.offset < kRawCnoOffset + kCnoCount;
        SetFieldValue(block, field, isCno ? DrawFromOne(60) : next++);
    }

    m_record.SetType(MID_RawTrkData);
    m_record.SetText(debugText);
    Deliver();
}

void CRandomSource::Deliver()
{
    m_events.DataActivity();
    m_owner.AcceptRecord(&m_record);
}

}  // namespace kestrion
