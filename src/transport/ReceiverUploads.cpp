// The measured feed's almanac and ephemeris uploads from the text files of the export.
#include "protocol/Mid.h"
#include "transport/Feed.h"
#include "transport/UploadFile.h"

namespace kestrion {

namespace {

constexpr size_t kSatellites = 32;
constexpr size_t kAlmanacWords = 14;
constexpr size_t kEphemerisWords = 45;

}  // namespace

// All or nothing: one bad line and no word is sent.
void CMeasuredFeed::UploadAlmanac(const std::string& path)
{
    if (!SerialSelected() || !SerialOpen() || path.empty()) {
        return;
    }
    CUploadFileReader reader(path);
    uint16_t words[kSatellites * kAlmanacWords];
    for (size_t sv = 0; sv < kSatellites; ++sv) {
        if (!reader.Next(std::span(words).subspan(sv * kAlmanacWords, kAlmanacWords))) {
            m_services.boxes.MessageBox("Almanac Data File Format Error\nSet Almanac Aborted\n\n" + path + ": " +
                                      reader.Problem(),
                                  BoxButtons::Ok, BoxIcon::Warning);
            return;
        }
    }
    Transmit(WordsPayload(MID_SetAlmanac, words));
}

// Each satellite is sent as its line is read; a bad line stops the upload there.
void CMeasuredFeed::UploadEphemeris(const std::string& path)
{
    if (!SerialSelected() || !SerialOpen() || path.empty()) {
        return;
    }
    CUploadFileReader reader(path);
    uint16_t words[kEphemerisWords];
    for (size_t line = 0; line < kSatellites; ++line) {
        if (!reader.Next(words)) {
            m_services.boxes.MessageBox("Ephemeris Data File Format Error\nSet Ephemeris Aborted\n\n" + path + ": " +
                                      reader.Problem(),
                                  BoxButtons::Ok, BoxIcon::Warning);
            return;
        }
        if (words[0] >= 1 && words[0] <= kSatellites) {
            Transmit(WordsPayload(MID_SetEphemeris, words));
        }
    }
}

}  // namespace kestrion
