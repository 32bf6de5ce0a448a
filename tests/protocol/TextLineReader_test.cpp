#include "protocol/TextLineReader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace kestrion {
namespace {

// The text as an open file.
class CMemoryFile {
public:
    explicit CMemoryFile(std::string text)
        : m_text(std::move(text)), m_file(::fmemopen(m_text.data(), m_text.size(), "r"), &std::fclose)
    {
    }
    std::FILE* Get() const { return m_file.get(); }

private:
    std::string m_text;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> m_file;
};

// A piece and the number of its line.
using Piece = std::pair<std::string, size_t>;

std::vector<Piece> Pieces(CTextLineReader& reader)
{
    std::vector<Piece> pieces;
    std::string_view piece;
    while (reader.NextPiece(piece)) {
        pieces.emplace_back(piece, reader.LineNumber());
    }
    return pieces;
}

TEST(TextLineReader, ALongLineArrivesInPiecesOfItsLineAndCommentsAndNulLinesAreSkipped)
{
    const std::string longLine = std::string(3000, 'a') + "\n";
    const CMemoryFile file(";note\n" + longLine + std::string("\0x\n1,\0z\nlast", 12));
    CTextLineReader reader(file.Get());
    EXPECT_EQ(Pieces(reader), (std::vector<Piece>{{";note\n", 1},
                                                  {longLine.substr(0, 2046), 2},
                                                  {longLine.substr(2046), 2},
                                                  {"", 3},
                                                  {"1,", 4},
                                                  {"last", 5}}));
    EXPECT_FALSE(reader.TooLong());

    const CMemoryFile again(";note\n" + longLine + std::string("\0x\n", 3) + "1,2\n");
    CTextLineReader lines(again.Get());
    std::string line;
    std::vector<std::string> data;
    while (lines.Next(line)) {
        data.push_back(line);
    }
    EXPECT_EQ(data, (std::vector<std::string>{longLine.substr(0, 2046), longLine.substr(2046), "1,2\n"}));
}

TEST(TextLineReader, ALineBeyondTheLimitStopsTheReadingAtItsNumber)
{
    const std::string longest(kMaxTextLine, ';');
    struct Case {
        const char* name;
        std::string text;
        size_t pieces;  // delivered before the end
        bool tooLong;
        size_t line;
    };
    const Case cases[] = {
        {"the longest line and its line end", longest + "\n1,2\n", 34, false, 2},
        {"the longest line at the end", "1,2\n" + longest, 34, false, 2},
        {"one character more", "1,2\n" + longest + ";\n1,2\n", 33, true, 2},
        {"NUL bytes without a line end", "\n\n" + std::string(200 * 1024, '\0'), 34, true, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CMemoryFile file(c.text);
        CTextLineReader reader(file.Get());
        EXPECT_EQ(Pieces(reader).size(), c.pieces);
        EXPECT_EQ(reader.TooLong(), c.tooLong);
        EXPECT_EQ(reader.LineNumber(), c.line);
        std::string_view piece;
        EXPECT_FALSE(reader.NextPiece(piece));  // and stays stopped
    }
}

}  // namespace
}  // namespace kestrion
