#pragma once
// Fakes of the program-wide services for feed and source tests: a timer table that the test
// ticks by hand, and a services object that records what feeds and sources ask of it.
#include <algorithm>
#include <array>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "support/TempFolder.h"
#include "support/ProtocolFakes.h"
#include "protocol/MessageDecoder.h"
#include "transport/FeedServices.h"

namespace kestrion::fakes {

class CFakeTimers : public ITimerService {
public:
    struct Entry {
        int tickCode = 0;
        ITickReceiver* receiver = nullptr;
    };

    int Register(int tickCode, ITickReceiver& receiver, int periodMs) override
    {
        for (size_t i = 0; i < entries.size(); ++i) {
            if (entries[i].receiver == nullptr) {
                entries[i] = Entry{tickCode, &receiver};
                registrations.push_back(periodMs);
                return static_cast<int>(i) + 1;
            }
        }
        return 0;
    }
    int Cancel(int timerNumber) override
    {
        if (timerNumber > 0 && timerNumber <= static_cast<int>(entries.size())) {
            entries[static_cast<size_t>(timerNumber) - 1] = Entry{};
        }
        return 0;
    }

    int Running() const
    {
        return static_cast<int>(std::count_if(entries.begin(), entries.end(), [](const Entry& e) { return e.receiver; }));
    }
    // The timer registered for the tick code, or 0.
    int Of(int tickCode) const
    {
        for (size_t i = 0; i < entries.size(); ++i) {
            if (entries[i].receiver != nullptr && entries[i].tickCode == tickCode) {
                return static_cast<int>(i) + 1;
            }
        }
        return 0;
    }
    // Ticks timer n once, as the dispatch would; false when it does not run.
    bool Fire(int timerNumber)
    {
        const Entry entry = timerNumber > 0 ? entries.at(static_cast<size_t>(timerNumber) - 1) : Entry{};
        if (entry.receiver != nullptr) {
            entry.receiver->Tick(entry.tickCode);
        }
        return entry.receiver != nullptr;
    }

    std::array<Entry, 5> entries{};
    std::vector<int> registrations;  // the period of every registration, in order
};

class CScriptedRandom : public IRandomGenerator {
public:
    int Next() override
    {
        if (values.empty()) {
            return fallback;
        }
        const int value = values.front();
        values.erase(values.begin());
        return value;
    }
    std::vector<int> values;
    int fallback = 16384;
};

// An INI file in a temporary folder, removed at the end.
class CTempProfile {
public:
    explicit CTempProfile(const std::string& content = "") { WriteText(Path(), content); }
    CProfile Profile() const { return CProfile(Path()); }

private:
    std::filesystem::path Path() const { return m_folder.Path() / "settings.ini"; }
    CTempFolder m_folder;
};

// Opens nothing: tests that use serial devices bring their own factory. It keeps the line of
// every open asked for.
class CNoSerialDevices : public ISerialDeviceFactory {
public:
    std::unique_ptr<ISerialDevice> Open(const std::string& path, const SerialSettings& line,
                                        std::string& error) override
    {
        asked.push_back(line);
        error = "No serial device in this test: " + path;
        return nullptr;
    }
    std::vector<SerialSettings> asked;
};

class CFakeClock : public IClock {
public:
    std::time_t Now() const override { return now; }
    std::time_t now = 1699142400;  // Sun Nov  5 00:00:00 2023 UTC
};

// The program's side of feeds and sources: it records what they report and ask for.
class CFakeFeedServices : public IFeedEventSink, public IMessageBoxes, public ISerialServices {
public:
    explicit CFakeFeedServices(const CProfile& profile) : m_profile(profile) {}

    // For the feeds under test.
    FeedServices Feeds() { return FeedServices{*this, *this, timers, decoder, m_profile, *this, random, generator}; }

    struct Box {
        std::string text;
        BoxIcon icon;
        bool guarded;
    };

    void Broadcast(FeedEvent event, const CMessageRecord* record) override
    {
        events.push_back(event);
        if (onBroadcast) {
            onBroadcast(event, record);
        }
    }
    void LogRecord(const CMessageRecord& record) override { logged.push_back(record.type); }
    void RefreshTitle() override { ++titleRefreshes; }
    void DataActivity() override
    {
        ++dataActivity;
        if (onDataActivity) {
            onDataActivity();
        }
    }
    BoxAnswer MessageBox(std::string_view text, BoxButtons, BoxIcon icon) override
    {
        boxes.push_back({std::string(text), icon, false});
        return BoxAnswer::Ok;
    }
    void GuardedMessageBox(std::string_view text, BoxButtons, BoxIcon icon) override
    {
        boxes.push_back({std::string(text), icon, true});
    }
    ISerialDeviceFactory& SerialDevices() override { return *serialDevices; }
    CReceiveTaps& MeasuredTaps() override { return measuredTaps; }
    void PromptSoftwareSelection() override { ++selectionPrompts; }
    PeriodicReset& Reset() override { return reset; }
    const IClock& Clock() const override { return clock; }

    // How many events of one kind were broadcast.
    size_t CountOf(FeedEvent event) const
    {
        return static_cast<size_t>(std::count(events.begin(), events.end(), event));
    }

    CFakeTimers timers;
    CFakeHost host;
    ProtocolState protocol;
    CMessageDecoder decoder{protocol, host};
    RandomState random;
    CScriptedRandom generator;
    PeriodicReset reset;
    CFakeClock clock;
    CNoSerialDevices noSerialDevices;
    ISerialDeviceFactory* serialDevices = &noSerialDevices;
    CReceiveTaps measuredTaps;
    int selectionPrompts = 0;
    std::vector<FeedEvent> events;  // broadcast, in order
    size_t dataActivity = 0;  // the sources' own activity notices; the framers' go to the host
    std::vector<int> logged;
    std::vector<Box> boxes;
    int titleRefreshes = 0;
    std::function<void(FeedEvent, const CMessageRecord*)> onBroadcast;
    std::function<void()> onDataActivity;

private:
    const CProfile& m_profile;
};

}  // namespace kestrion::fakes
