#pragma once
// Small recorded files in the temporary folder, the lines the playback tests write, and a
// measured feed that plays a file.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "support/FeedFakes.h"
#include "protocol/MessageRecord.h"
#include "transport/Feed.h"
#include "transport/FeedEvents.h"

namespace kestrion::fakes {

// A file with the given bytes, removed at the end.
class CTempFile {
public:
    explicit CTempFile(std::string_view content) : m_path((m_folder.Path() / "recording").string())
    {
        WriteText(m_path, std::string(content));
    }

    const std::string& Path() const { return m_path; }

private:
    CTempFolder m_folder;
    std::string m_path;
};

// A hexadecimal message line holding the whole navigation block of a MID 2 record.
inline std::string NavLineOf(CMessageRecord record)
{
    const auto block = record.BlockOf(2);
    char field[16];
    std::snprintf(field, sizeof field, "%zX", block.size() - 1 + 3);  // bytes after the MID, plus 3
    std::string line = field;
    for (uint8_t byte : block) {
        std::snprintf(field, sizeof field, ",%X", byte);
        line += field;
    }
    return line + "\n";
}

// The line of a navigation record without a solution.
inline std::string NavLine(uint16_t week, uint32_t tow)
{
    CMessageRecord record;
    record.Reset(2);
    record.nav.mid = 2;
    record.nav.week = week;
    record.nav.tow = tow;
    return NavLineOf(record);
}

// "Data Sources" for a measured file of the given type.
inline std::string MeasuredFileIni(std::string_view fileType, const std::string& path)
{
    return "[Data Sources]\nDataSource=1\nMeasSource=0\nMeasBFileType=" + std::string(fileType) +
           "\nMeasBFileName=" + path + "\n";
}

// The texts of the boxes shown, with "(guarded)" after those shown through the guarded box.
inline std::vector<std::string> BoxTexts(const CFakeFeedServices& services)
{
    std::vector<std::string> texts;
    for (const CFakeFeedServices::Box& box : services.boxes) {
        texts.push_back(box.text + (box.guarded ? " (guarded)" : ""));
    }
    return texts;
}

// A measured feed over the fake services, and a file for it to play.
struct CMeasuredHarness {
    // Any settings; the file stays empty.
    explicit CMeasuredHarness(const std::string& iniText) : file(""), ini(iniText) {}
    // A measured file of the given type and content, with more settings after "Data Sources".
    CMeasuredHarness(std::string_view fileType, std::string_view content, const std::string& moreIni = "")
        : file(content), ini(MeasuredFileIni(fileType, file.Path()) + moreIni)
    {
    }

    // Ticks until no timer runs; the periods registered on the way.
    std::vector<int> PlayToEnd()
    {
        for (int ticks = 0; ticks < 100 && services.timers.Fire(services.timers.Of(kTickPlayback)); ++ticks) {
        }
        return services.timers.registrations;
    }

    CTempFile file;
    CTempProfile ini;
    CProfile profile = ini.Profile();
    CFakeFeedServices services{profile};
    CMeasuredFeed feed{services.Feeds()};
};

}  // namespace kestrion::fakes
