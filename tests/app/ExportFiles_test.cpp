#include "app/ExportFiles.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "../platform/TempFolder.h"

namespace kestrion {
namespace {

using Texts = std::vector<std::string>;

constexpr std::time_t kCollected = 1699142400;  // Sun Nov  5 00:00:00 2023 UTC

struct CFixedClock : IClock {
    std::time_t Now() const override { return kCollected; }
};

struct CRecordingUi : IUserInterface {
    BoxAnswer MessageBox(std::string_view text, BoxButtons buttons, BoxIcon icon) override
    {
        boxes.push_back(std::string(text) + (buttons == BoxButtons::Ok && icon == BoxIcon::None ? "" : " (?)"));
        return BoxAnswer::Ok;
    }
    bool RunLogFileSettings() override { return false; }
    void RunSoftwareSelection() override {}
    Texts boxes;
};

Texts Lines(const std::string& text)
{
    Texts lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::string Zeros(int count)
{
    std::string row = "0";
    for (int i = 1; i < count; ++i) {
        row += ", 0";
    }
    return row;
}

class ExportFilesTest : public ::testing::Test {
protected:
    CTempFolder m_folder;
    ProtocolState m_state;
    CFixedClock m_clock;
    CRecordingUi m_ui;
    Texts m_guarded;
    GuardedBox m_guardedBox = [this](std::string_view text, BoxButtons buttons, BoxIcon icon) {
        const bool information = buttons == BoxButtons::Ok && icon == BoxIcon::Information;
        m_guarded.push_back(std::string(text) + (information ? "" : " (?)"));
    };
};

TEST_F(ExportFilesTest, AlmanacRowsAreSignedAndUnfilledRowsZero)
{
    for (int sv = 0; sv < 5; ++sv) {
        for (int word = 0; word < 14; ++word) {
            m_state.almanac[sv][word] = static_cast<int16_t>(sv * 100 + word);
        }
    }
    m_state.almanac[0][13] = -1234;
    m_state.almanac[31][0] = -32768;
    const std::filesystem::path path = m_folder.Path() / "almanac.alm";

    ASSERT_TRUE(WriteAlmanacFile(path.string(), m_state.almanac, kCollected));

    const std::string text = ReadText(path);
    EXPECT_TRUE(text.starts_with("//\n// Almanac Collection Time(UTC): Sun Nov  5 00:00:00 2023\n//\n//\n//\n"));
    const Texts lines = Lines(text);
    ASSERT_EQ(lines.size(), 37u);
    EXPECT_EQ(lines[5], "0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, -1234");
    EXPECT_EQ(lines[9], "400, 401, 402, 403, 404, 405, 406, 407, 408, 409, 410, 411, 412, 413");
    EXPECT_EQ(Texts(lines.begin() + 10, lines.end() - 1), Texts(26, Zeros(14)));
    EXPECT_EQ(lines[36], "-32768, " + Zeros(13));
}

TEST_F(ExportFilesTest, EphemerisRowsAreUnsignedWithFortyFiveWords)
{
    m_state.ephemeris[0][0] = 1;
    m_state.ephemeris[0][44] = 0xFFFF;
    const std::filesystem::path path = m_folder.Path() / "ephemris.eph";

    ASSERT_TRUE(WriteEphemerisFile(path.string(), m_state.ephemeris, kCollected));

    const Texts lines = Lines(ReadText(path));
    ASSERT_EQ(lines.size(), 37u);
    EXPECT_EQ(lines[1], "// Ephemeris Collection Time(UTC): Sun Nov  5 00:00:00 2023");
    EXPECT_EQ(lines[5], "1, " + Zeros(43) + ", 65535");
    EXPECT_EQ(lines[36], Zeros(45));
}

TEST_F(ExportFilesTest, ExportReplacesTheFileReportsItAndForgetsTheName)
{
    const std::string almanac = (m_folder.Path() / "almanac.alm").string();
    const std::string ephemeris = (m_folder.Path() / "ephemris.eph").string();
    WriteText(almanac, std::string(50000, '9'));
    std::string almanacName = almanac;
    std::string ephemerisName = ephemeris;

    ExportAlmanac(m_state, almanacName, m_clock, m_ui, m_guardedBox);
    ExportEphemeris(m_state, ephemerisName, m_clock, m_ui, m_guardedBox);
    ExportAlmanac(m_state, almanacName, m_clock, m_ui, m_guardedBox);  // no new poll: nothing

    EXPECT_EQ(m_guarded,
              (Texts{"Almanac Data Written to:\n\n" + almanac, "Ephemeris Data Written to:\n\n" + ephemeris}));
    EXPECT_TRUE(m_ui.boxes.empty());
    EXPECT_EQ(almanacName + ephemerisName, "");
    const std::string text = ReadText(almanac);
    EXPECT_EQ(text.find('9'), std::string::npos);
    EXPECT_EQ(Lines(text).size(), 37u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_folder.Path()), {}), 2)
        << "no temporary file left";
}

TEST_F(ExportFilesTest, UnwritableFileIsReportedAndTheNameKept)
{
    WriteText(m_folder.Path() / "plain", "");
    const std::string almanac = (m_folder.Path() / "plain" / "almanac.alm").string();
    const std::string ephemeris = (m_folder.Path() / "plain" / "ephemris.eph").string();
    std::string almanacName = almanac;
    std::string ephemerisName = ephemeris;

    ExportAlmanac(m_state, almanacName, m_clock, m_ui, m_guardedBox);
    ExportEphemeris(m_state, ephemerisName, m_clock, m_ui, m_guardedBox);

    EXPECT_EQ(almanacName + ephemerisName, almanac + ephemeris);
    EXPECT_EQ(m_ui.boxes, (Texts{"Cannot open almanac file!", "Cannot open ephemeris file!"}));
    EXPECT_TRUE(m_guarded.empty());
}

}  // namespace
}  // namespace kestrion
