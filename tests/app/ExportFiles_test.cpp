#include "app/ExportFiles.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/TempFolder.h"

namespace kestrion {
namespace {

using Texts = std::vector<std::string>;

constexpr std::time_t kCollected = 1699142400;  // Sun Nov  5 00:00:00 2023 UTC

struct CFixedClock : IClock {
    std::time_t Now() const override { return kCollected; }
};

// Boxes other than an "OK" warning box are marked " (?)".
struct CRecordingUi : IUserInterface {
    BoxAnswer MessageBox(std::string_view text, BoxButtons buttons, BoxIcon icon) override
    {
        boxes.push_back(std::string(text) + (buttons == BoxButtons::Ok && icon == BoxIcon::Warning ? "" : " (?)"));
        return BoxAnswer::Ok;
    }
    int Ask(std::string_view, std::string_view, const std::vector<std::string>&) override { return 0; }
    std::string ChooseFile(const FileChooser&) override { return {}; }
    bool RunDialog(CDialogForm&) override { return false; }
    Texts boxes;
};

Texts Lines(const std::filesystem::path& path)
{
    Texts lines;
    std::istringstream stream(ReadText(path));
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

TEST(ExportFiles, AlmanacRowsAreSignedEphemerisRowsUnsignedAndUnfilledRowsZero)
{
    CTempFolder folder;
    ProtocolState state;
    for (int sv = 0; sv < 5; ++sv) {
        for (int word = 0; word < 14; ++word) {
            state.almanac[sv][word] = static_cast<int16_t>(sv * 100 + word);
        }
    }
    state.almanac[0][13] = -1234;
    state.almanac[31][0] = -32768;
    state.ephemeris[0][0] = 1;
    state.ephemeris[0][44] = 0xFFFF;
    const std::filesystem::path almanac = folder.Path() / "almanac.alm", ephemeris = folder.Path() / "ephemris.eph";
    ASSERT_TRUE(WriteAlmanacFile(almanac.string(), state.almanac, kCollected));
    ASSERT_TRUE(WriteEphemerisFile(ephemeris.string(), state.ephemeris, kCollected));

    EXPECT_TRUE(ReadText(almanac).starts_with("//\n// Almanac Collection Time(UTC): Sun Nov  5 00:00:00 2023\n//\n//\n//\n"));
    const Texts rows = Lines(almanac);
    ASSERT_EQ(rows.size(), 37u);
    EXPECT_EQ(rows[5], "0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, -1234");
    EXPECT_EQ(rows[9], "400, 401, 402, 403, 404, 405, 406, 407, 408, 409, 410, 411, 412, 413");
    EXPECT_EQ(Texts(rows.begin() + 10, rows.end() - 1), Texts(26, Zeros(14)));
    EXPECT_EQ(rows[36], "-32768, " + Zeros(13));

    const Texts ephemerisRows = Lines(ephemeris);
    ASSERT_EQ(ephemerisRows.size(), 37u);
    EXPECT_EQ(ephemerisRows[1], "// Ephemeris Collection Time(UTC): Sun Nov  5 00:00:00 2023");
    EXPECT_EQ(ephemerisRows[5], "1, " + Zeros(43) + ", 65535");
    EXPECT_EQ(Texts(ephemerisRows.begin() + 6, ephemerisRows.end()), Texts(31, Zeros(45)));
}

TEST(ExportFiles, ExportKeepsTheNameOfAnUnwritableFileAndReportsAndForgetsAWrittenOne)
{
    CTempFolder folder;
    ProtocolState state;
    CFixedClock clock;
    CRecordingUi ui;
    Texts guarded;  // information boxes unmarked
    const GuardedBox guardedBox = [&](std::string_view text, BoxButtons buttons, BoxIcon icon) {
        guarded.push_back(std::string(text) + (buttons == BoxButtons::Ok && icon == BoxIcon::Information ? "" : " (?)"));
    };
    WriteText(folder.Path() / "plain", "");
    const std::string blocked = (folder.Path() / "plain" / "almanac.alm").string();
    const std::string almanac = (folder.Path() / "almanac.alm").string();
    const std::string ephemeris = (folder.Path() / "ephemris.eph").string();
    std::string almanacName = blocked, ephemerisName = blocked;
    ExportAlmanac(state, almanacName, clock, ui, guardedBox);
    ExportEphemeris(state, ephemerisName, clock, ui, guardedBox);
    EXPECT_EQ(almanacName + ephemerisName, blocked + blocked);
    EXPECT_EQ(ui.boxes, (Texts{"Cannot open almanac file!", "Cannot open ephemeris file!"}));
    EXPECT_TRUE(guarded.empty());

    ui.boxes.clear();
    WriteText(almanac, std::string(50000, '9'));
    almanacName = almanac, ephemerisName = ephemeris;
    ExportAlmanac(state, almanacName, clock, ui, guardedBox);
    ExportEphemeris(state, ephemerisName, clock, ui, guardedBox);
    ExportAlmanac(state, almanacName, clock, ui, guardedBox);  // no new poll: nothing
    EXPECT_EQ(guarded, (Texts{"Almanac Data Written to:\n\n" + almanac, "Ephemeris Data Written to:\n\n" + ephemeris}));
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(almanacName + ephemerisName, "");
    EXPECT_EQ(Lines(almanac).size(), 37u) << "the file is replaced";
    EXPECT_EQ(ReadText(almanac).find('9'), std::string::npos);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 3) << "no temporary file left";
}

}  // namespace
}  // namespace kestrion
