// The protocol's units as tables: the one column conversion, the framing of messages, and a
// document's incremental edits.
#include "varko/lsp/framing.h"
#include "varko/lsp/positions.h"
#include "varko/lsp/text_document.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace varko::lsp;

namespace {

struct ColumnRow {
    const char* name;
    std::string line;
    std::size_t byte;
    std::uint32_t utf16;
    std::uint32_t utf8;
};

// "\xE9" alone is a Windows-1252 byte (e acute: one UTF-16 unit, two UTF-8 bytes); "\x80" is the
// euro sign (three UTF-8 bytes); "\xF0\x9F\x98\x80" is outside the BMP (a surrogate pair).
const ColumnRow kColumns[] = {
    {"AsciiStart", "hp = 10", 0, 0, 0},
    {"AsciiMiddle", "hp = 10", 5, 5, 5},
    {"AsciiEnd", "hp = 10", 7, 7, 7},
    {"PastTheEnd", "hp", 9, 2, 2},
    {"Windows1252Byte", "caf\xE9 = 1", 4, 4, 5},
    {"Windows1252Euro", "\x80x", 1, 1, 3},
    {"Utf8TwoBytes", "caf\xC3\xA9 = 1", 5, 4, 5},
    {"OutsideBmp", "a\xF0\x9F\x98\x80z", 5, 3, 5},
    {"AfterOutsideBmp", "a\xF0\x9F\x98\x80z", 6, 4, 6},
};

class ColumnTable : public ::testing::TestWithParam<ColumnRow> {};

TEST_P(ColumnTable, ConvertsBothWays) {
    const ColumnRow& row = GetParam();
    EXPECT_EQ(ColumnOfByte(row.line, row.byte, PositionEncoding::Utf16), row.utf16);
    EXPECT_EQ(ColumnOfByte(row.line, row.byte, PositionEncoding::Utf8), row.utf8);
    const std::size_t back = std::min(row.byte, row.line.size());
    EXPECT_EQ(ByteOfColumn(row.line, row.utf16, PositionEncoding::Utf16), back);
    EXPECT_EQ(ByteOfColumn(row.line, row.utf8, PositionEncoding::Utf8), back);
}

INSTANTIATE_TEST_SUITE_P(Positions, ColumnTable, ::testing::ValuesIn(kColumns),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Positions, AColumnInsideACharacterGivesItsFirstByte) {
    EXPECT_EQ(ByteOfColumn("a\xF0\x9F\x98\x80z", 2, PositionEncoding::Utf16), 1u);
    EXPECT_EQ(ByteOfColumn("a\xF0\x9F\x98\x80z", 3, PositionEncoding::Utf8), 1u);
}

struct FramingRow {
    const char* name;
    std::string input;
    std::vector<ReadStatus> statuses; // up to and including the first End
    std::vector<std::string> bodies;  // of the messages, in order
};

std::string Framed(const std::string& body) {
    return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

const FramingRow kFraming[] = {
    {"OneMessage", Framed("{}"), {ReadStatus::Message, ReadStatus::End}, {"{}"}},
    {"TwoMessages",
     Framed("[1]") + Framed("[2]"),
     {ReadStatus::Message, ReadStatus::Message, ReadStatus::End},
     {"[1]", "[2]"}},
    {"OtherHeadersAndCase",
     "content-length: 2\r\nContent-Type: application/vscode-jsonrpc; charset=utf-8\r\n\r\n{}",
     {ReadStatus::Message, ReadStatus::End},
     {"{}"}},
    {"BareLineFeeds", "Content-Length: 2\n\n{}", {ReadStatus::Message, ReadStatus::End}, {"{}"}},
    {"NoLength",
     "Content-Type: x\r\n\r\n" + Framed("{}"),
     {ReadStatus::Skipped, ReadStatus::Message, ReadStatus::End},
     {"{}"}},
    {"LengthNotANumber",
     "Content-Length: 12x\r\n\r\n{}" + Framed("[3]"),
     {ReadStatus::Skipped, ReadStatus::Message, ReadStatus::End},
     {"[3]"}},
    {"NegativeLength",
     "Content-Length: -5\r\n\r\n" + Framed("[4]"),
     {ReadStatus::Skipped, ReadStatus::Message, ReadStatus::End},
     {"[4]"}},
    {"OverTheLimit", "Content-Length: 67108865\r\n\r\nxyz", {ReadStatus::Skipped, ReadStatus::End}, {}},
    {"HugeLength",
     "Content-Length: 999999999999999999999\r\n\r\n" + Framed("[5]"),
     {ReadStatus::Skipped, ReadStatus::Message, ReadStatus::End},
     {"[5]"}},
    {"CutShort", "Content-Length: 10\r\n\r\n{}", {ReadStatus::End}, {}},
    {"EndInsideHeader", "Content-Length: 10\r\n", {ReadStatus::End}, {}},
    {"Empty", "", {ReadStatus::End}, {}},
};

class FramingTable : public ::testing::TestWithParam<FramingRow> {};

TEST_P(FramingTable, ReadsWhatTheHeadersSay) {
    const FramingRow& row = GetParam();
    std::istringstream in(row.input);
    std::vector<ReadStatus> statuses;
    std::vector<std::string> bodies;
    for (int i = 0; i < 10; ++i) {
        ReadResult read = ReadMessage(in);
        statuses.push_back(read.status);
        if (read.status == ReadStatus::Message)
            bodies.push_back(read.body);
        else
            EXPECT_TRUE(read.status == ReadStatus::End || !read.problem.empty());
        if (read.status == ReadStatus::End)
            break;
    }
    EXPECT_EQ(statuses, row.statuses);
    EXPECT_EQ(bodies, row.bodies);
}

INSTANTIATE_TEST_SUITE_P(Framing, FramingTable, ::testing::ValuesIn(kFraming),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Framing, WritesOneWholeMessageWithItsLength) {
    std::ostringstream out;
    MessageWriter writer(out);
    writer.Write({{"text", "caf\xC3\xA9"}});
    writer.Write({{"bad", std::string("\xE9")}}); // never a throw on bytes that are not UTF-8
    std::istringstream in(out.str());
    EXPECT_EQ(ReadMessage(in).body, "{\"text\":\"caf\xC3\xA9\"}");
    EXPECT_EQ(nlohmann::json::parse(ReadMessage(in).body)["bad"], "\xEF\xBF\xBD");
}

struct EditRow {
    const char* name;
    std::string text;
    nlohmann::json change;
    PositionEncoding encoding;
    std::string expected;
};

nlohmann::json Edit(int line0, int char0, int line1, int char1, const std::string& text) {
    return {{"range", {{"start", PositionJson(line0, char0)}, {"end", PositionJson(line1, char1)}}},
            {"text", text}};
}

const EditRow kEdits[] = {
    {"InsertInLine", "ab\ncd", Edit(1, 1, 1, 1, "X"), PositionEncoding::Utf16, "ab\ncXd"},
    {"JoinCrLfLines", "ab\r\ncd", Edit(0, 2, 1, 0, ""), PositionEncoding::Utf16, "abcd"},
    {"AfterLoneCr", "ab\rcd\re", Edit(2, 0, 2, 1, "E"), PositionEncoding::Utf16, "ab\rcd\rE"},
    {"ColumnPastEnd", "ab\ncd", Edit(0, 99, 0, 99, "!"), PositionEncoding::Utf16, "ab!\ncd"},
    {"LinePastEnd", "ab", Edit(5, 0, 5, 0, "\nz"), PositionEncoding::Utf16, "ab\nz"},
    {"AfterSurrogatePair", "\xF0\x9F\x98\x80x", Edit(0, 2, 0, 3, "y"), PositionEncoding::Utf16,
     "\xF0\x9F\x98\x80y"},
    {"Utf8Columns", "\xC3\xA9x", Edit(0, 2, 0, 3, "y"), PositionEncoding::Utf8, "\xC3\xA9y"},
    {"WholeText", "old", {{"text", "new\r\n"}}, PositionEncoding::Utf16, "new\r\n"},
};

class EditTable : public ::testing::TestWithParam<EditRow> {};

TEST_P(EditTable, AppliesTheChange) {
    const EditRow& row = GetParam();
    TextDocument document(row.text, 1);
    document.Apply(row.change, row.encoding);
    EXPECT_EQ(document.Text(), row.expected);
}

INSTANTIATE_TEST_SUITE_P(Documents, EditTable, ::testing::ValuesIn(kEdits),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Documents, LinesEndAtCrLfCrOrLf) {
    const TextDocument document("a\r\nb\rc\nd", 1);
    ASSERT_EQ(document.LineCount(), 4u);
    EXPECT_EQ(document.Line(0), "a");
    EXPECT_EQ(document.Line(1), "b");
    EXPECT_EQ(document.Line(3), "d");
}

} // namespace
