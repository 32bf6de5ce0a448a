// The almanac and ephemeris files the export writes read back, for upload, to the same words.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "support/TempFolder.h"
#include "app/ExportFiles.h"
#include "transport/UploadFile.h"

namespace kestrion {
namespace {

constexpr std::time_t kCollected = 1699142400;

// The words of the 32 rows as the upload reads them, in file order.
template <size_t kWords>
std::vector<std::array<uint16_t, kWords>> ReadRows(const std::filesystem::path& path)
{
    CUploadFileReader reader(path.string());
    std::vector<std::array<uint16_t, kWords>> rows(32);
    for (auto& row : rows) {
        EXPECT_TRUE(reader.Next(row));
    }
    return rows;
}

TEST(UploadRoundTrip, ExportedTablesReadBackToTheSameWords)
{
    CTempFolder folder;
    ProtocolState state;
    const int16_t signedWords[] = {0, 1, -1, 32767, -32768, -1234, 512};
    const uint16_t unsignedWords[] = {0, 1, 65535, 32768, 32767, 4660};
    for (size_t sv = 0; sv < 32; ++sv) {
        for (size_t word = 0; word < 14; ++word) {
            state.almanac[sv][word] = signedWords[(sv + word) % std::size(signedWords)];
        }
        for (size_t word = 0; word < 45; ++word) {
            state.ephemeris[sv][word] = unsignedWords[(sv * 3 + word) % std::size(unsignedWords)];
        }
    }
    const std::filesystem::path almanac = folder.Path() / "almanac.alm", ephemeris = folder.Path() / "ephemris.eph";
    ASSERT_TRUE(WriteAlmanacFile(almanac.string(), state.almanac, kCollected));
    ASSERT_TRUE(WriteEphemerisFile(ephemeris.string(), state.ephemeris, kCollected));

    const auto almanacRows = ReadRows<14>(almanac);
    const auto ephemerisRows = ReadRows<45>(ephemeris);
    for (size_t sv = 0; sv < 32; ++sv) {
        for (size_t word = 0; word < 14; ++word) {
            EXPECT_EQ(almanacRows[sv][word], static_cast<uint16_t>(state.almanac[sv][word])) << sv << "/" << word;
        }
        for (size_t word = 0; word < 45; ++word) {
            EXPECT_EQ(ephemerisRows[sv][word], state.ephemeris[sv][word]) << sv << "/" << word;
        }
    }
}

}  // namespace
}  // namespace kestrion
