#include "varko/textrules/case_insensitive.h"
#include "varko/textrules/text_rules.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif
#include <unistd.h>

#include <filesystem>
#include <fstream>

using namespace varko::textrules;

namespace {

struct TokenCase {
    const char* name;
    std::string text;
    LineList tokens;
};

TEST(SplitTokens, Table) {
    const TokenCase cases[] = {
        {"blank and comma", "a b,c", {"a", "b", "c"}},
        {"comma then blank", "a, b", {"a", "b"}},
        {"double comma", "a,,b", {"a", "", "b"}},
        {"trailing comma", "a,", {"a"}},
        {"leading comma", ",a", {"", "a"}},
        {"quoted with blank", "\"x y\" z", {"x y", "z"}},
        {"doubled quotes", "\"say \"\"hi\"\"\"", {"say \"hi\""}},
        {"unclosed quote", "\"abc", {"ab"}},
        {"unclosed single char", "\"a", {""}},
        {"comment kept as tokens", "1 // note", {"1", "//", "note"}},
        {"blanks only", "  \t ", {}},
        {"empty", "", {}},
        {"lone comma", ",", {""}},
        {"empty quoted", "\"\"", {""}},
        {"quoted glued to plain", "\"ab\"cd", {"ab", "cd"}},
        {"unclosed with pair", "\"a\"\"b", {"a\""}},
        {"control chars are blanks",
         "a\x01\x1f"
         "b",
         {"a", "b"}},
        {"NUL ends the scan", std::string("a b\0c", 5), {"a", "b"}},
        {"comma after quoted", "\"a\" , b", {"a", "b"}},
    };
    for (const TokenCase& c : cases)
        EXPECT_EQ(SplitTokens(c.text), c.tokens) << c.name;
}

TEST(SplitTokens, StopsAfterTheTokensAskedFor) {
    const struct {
        const char* text;
        std::size_t most;
        LineList tokens;
    } cases[] = {
        {"a b c d", 2, {"a", "b"}}, {"a", 2, {"a"}}, {"\"x y\" z w", 2, {"x y", "z"}},
        {"a,,b", 2, {"a", ""}},     {"a b", 0, {}},  {"a b c", 5, {"a", "b", "c"}},
    };
    for (const auto& c : cases) {
        LineList list = {"old"};
        SplitTokens(list, c.text, c.most);
        EXPECT_EQ(list, c.tokens) << c.text << " at most " << c.most;
    }
}

TEST(SplitTokens, StartsOfTheTokens) {
    const struct {
        const char* name;
        std::string text;
        std::size_t most;
        std::vector<std::size_t> starts;
    } cases[] = {
        {"leading blanks", "  ab  cd", 2, {2, 6}},
        {"quoted token starts at its quote", "x \"a b\" y", 3, {0, 2, 8}},
        {"empty tokens between commas", "a,,b", 3, {0, 2, 3}},
        {"comma then blank", "a, b", 2, {0, 3}},
        {"cut after two", "a b c", 2, {0, 2}},
        {"nothing", " \t", 2, {}},
    };
    for (const auto& c : cases) {
        LineList list{"old"};
        std::vector<std::size_t> starts{99};
        SplitTokens(list, starts, c.text, c.most);
        EXPECT_EQ(starts, c.starts) << c.name;
        EXPECT_EQ(list.size(), starts.size()) << c.name;
    }
}

TEST(SplitTokens, ReplacesPreviousContent) {
    LineList list = {"old"};
    SplitTokens(list, "new");
    EXPECT_EQ(list, LineList{"new"});
}

TEST(ParseInt, Table) {
    const struct {
        const char* text;
        std::optional<std::int32_t> value;
    } cases[] = {
        {"42", 42},
        {"  -7", -7},
        {"+0", 0},
        {"007", 7},
        {"0", 0},
        {"$1F", 31},
        {"x1f", 31},
        {"0X1F", 31},
        {"0x1f", 31},
        {"x5", 5},
        {"2147483647", 2147483647},
        {"2147483648", std::nullopt},
        {"-2147483648", INT32_MIN},
        {"-2147483649", std::nullopt},
        {"99999999999", std::nullopt},
        {"$FFFFFFFF", -1},
        {"$80000000", INT32_MIN},
        {"$0000000FFFFFFFF", -1},
        {"$100000000", std::nullopt},
        {"5 ", std::nullopt},
        {"\t5", std::nullopt},
        {"1.0", std::nullopt},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"-$10", std::nullopt},
        {"-", std::nullopt},
        {"+", std::nullopt},
        {"x", std::nullopt},
        {"$", std::nullopt},
        {"0x", std::nullopt},
        {"$G", std::nullopt},
        {"12a", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseInt(c.text), c.value) << "text '" << c.text << "'";
}

TEST(FileExtension, Table) {
    const struct {
        const char* name;
        const char* extension;
    } cases[] = {
        {"x.tt", ".tt"}, {"doc.TT", ".TT"}, {"a.b\\c", ""}, {"a.b:c", ""},    {"noext", ""},
        {"a.b.c", ".c"}, {"trail.", "."},   {"", ""},       {"/dir.x/f", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FileExtension(c.name), c.extension) << c.name;
}

TEST(SubstringAndPosition, Bounds) {
    EXPECT_EQ(Substring("hello", 0, 2), "he");
    EXPECT_EQ(Substring("hello", 2, 3), "ell");
    EXPECT_EQ(Substring("hello", 6, 1), "");
    EXPECT_EQ(Substring("hello", 2, 0), "");
    EXPECT_EQ(Substring("hello", 2, -1), "");
    EXPECT_EQ(Substring("hello", 4, 100), "lo");
    EXPECT_EQ(Position("l", "hello"), 3u);
    EXPECT_EQ(Position("z", "hello"), 0u);
    EXPECT_EQ(Position("", "hello"), 0u);
    EXPECT_EQ(Position("a", ""), 0u);
}

TEST(IndexOfTextAndValueOf, FirstMatchIgnoringCase) {
    LineList list = {"A=1", "a=2", "b=x=y", "noequals", "=empty"};
    EXPECT_EQ(ValueOf(list, "a"), "1");
    EXPECT_EQ(ValueOf(list, "B"), "x=y");
    EXPECT_EQ(ValueOf(list, ""), "empty");
    EXPECT_EQ(ValueOf(list, "noequals"), "");
    EXPECT_EQ(ValueOf(list, "missing"), "");
    EXPECT_EQ(IndexOfText(list, "a=2"), 1);
    EXPECT_EQ(IndexOfText(list, "NOEQUALS"), 3);
    EXPECT_EQ(IndexOfText(list, "noequal"), -1);
}

// Only A to Z fold; the bytes beside them ('@', '[', '`', '{') and bytes with the high bit set stay,
// at any position of a word of eight.
TEST(SameText, FoldsOnlyAsciiLetters) {
    const struct {
        std::string a;
        std::string b;
        bool same;
    } cases[] = {
        {"maxHealth", "MAXHEALTH", true},
        {"abcdefghijklmnopqrstuvwxyz", "ABCDEFGHIJKLMNOPQRSTUVWXYZ", true},
        {"exactly8", "EXACTLY8", true},
        {"@[`{", "`{@[", false},
        {"name@", "name`", false},
        {"longer_name[", "LONGER_NAME{", false},
        {"\xC1\xDA", "\xE1\xFA", false},
        {"twelve bytes\xC1", "TWELVE BYTES\xC1", true},
        {"a", "ab", false},
        {std::string("a\0b", 3), std::string("A\0B", 3), true},
        {std::string("abcdefgh\0", 9), "abcdefgh", false},
        {"", "", true},
    };
    const CaseInsensitiveHash hash;
    for (const auto& c : cases) {
        EXPECT_EQ(SameText(c.a, c.b), c.same) << c.a << " / " << c.b;
        EXPECT_EQ(CaseInsensitiveEqual{}(c.a, c.b), c.same) << c.a << " / " << c.b;
        if (c.same) {
            EXPECT_EQ(hash(c.a), hash(c.b)) << c.a;
        }
        EXPECT_EQ(FoldCase(c.a) == FoldCase(c.b), c.same) << c.a << " / " << c.b;
    }
}

TEST(SplitLines, LineBreakRules) {
    const struct {
        const char* name;
        std::string text;
        LineList lines;
    } cases[] = {
        {"no final break", "a\r\nb", {"a", "b"}},
        {"final CR LF adds no line", "a\r\nb\r\n", {"a", "b"}},
        {"CR alone", "a\rb\rc", {"a", "b", "c"}},
        {"LF alone", "a\nb\n", {"a", "b"}},
        {"LF CR ends two lines", "a\n\rb", {"a", "", "b"}},
        {"blank lines kept", "a\r\n\r\nb", {"a", "", "b"}},
        {"NUL ends the text", std::string("a\nb\0c\nd", 7), {"a", "b"}},
        {"NUL right after a break", std::string("a\n\0b", 4), {"a"}},
        {"NUL first", std::string("\0abc", 4), {}},
        {"empty", "", {}},
        {"only a break", "\r\n", {""}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitLines(c.text), c.lines) << c.name;
}

TEST(SplitDocumentLines, EveryByteButALineBreakStays) {
    const struct {
        const char* name;
        std::string bytes;
        LineList lines;
    } cases[] = {
        {"no final break", "a\r\nb", {"a", "b"}},
        {"final CR LF adds no line", "a\r\nb\r\n", {"a", "b"}},
        {"CR alone", "a\rb\rc", {"a", "b", "c"}},
        {"LF CR ends two lines", "a\n\rb", {"a", "", "b"}},
        {"NUL stays in its line", std::string("a\nb\0c\nd", 7), {"a", std::string("b\0c", 3), "d"}},
        {"empty", "", {}},
        {"only a break", "\r\n", {""}},
        {"CR at the very end", "a\r", {"a"}},
    };
    // A reused list drops what it held before, longer or shorter.
    LineList reused{"an earlier line that is longer than any here", "x", "y", "z"};
    for (const auto& c : cases) {
        EXPECT_EQ(SplitDocumentLines(c.bytes), c.lines) << c.name;
        SplitDocumentLines(reused, c.bytes);
        EXPECT_EQ(reused, c.lines) << c.name << " (reused list)";
    }
}

#ifndef _WIN32 // fork, pipes and symbolic links are POSIX matters
// A pipe without a writer would block an open for reading, and a device may never end: neither
// is read, and the call returns at once.
TEST(ReadFileBytes, OnlyRegularFilesAreRead) {
    const auto dir = std::filesystem::temp_directory_path() / ("varko_read_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string pipe = (dir / "pipe.odf").string();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::ofstream(dir / "file.odf", std::ios::binary) << std::string("a\0b", 3);
    std::filesystem::create_symlink(dir / "file.odf", dir / "link.odf");
    // Larger than any single read.
    std::string big(200000, 'x');
    big[123456] = '\n';
    std::ofstream(dir / "big.odf", std::ios::binary) << big;
    const struct {
        std::string path;
        std::optional<std::string> bytes;
    } cases[] = {
        {pipe, std::nullopt},
        {"/dev/zero", std::nullopt},
        {dir.string(), std::nullopt},
        {(dir / "missing").string(), std::nullopt},
        {(dir / "file.odf").string(), std::string("a\0b", 3)},
        {(dir / "link.odf").string(), std::string("a\0b", 3)},
        {(dir / "big.odf").string(), big},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadFileBytes(c.path), c.bytes) << c.path;
    std::filesystem::remove_all(dir);
}
#endif

TEST(LoadLines, MissingFileKeepsList) {
    LineList list = {"keep"};
    EXPECT_FALSE(LoadLines(list, "/nonexistent/dir/file.txt"));
    EXPECT_EQ(list, LineList{"keep"});

    auto path =
        std::filesystem::temp_directory_path() / ("varko_loadlines_" + std::to_string(::getpid()) + ".txt");
    std::ofstream(path, std::ios::binary) << "x\r\ny";
    EXPECT_TRUE(LoadLines(list, path.string()));
    EXPECT_EQ(list, (LineList{"x", "y"}));
    std::filesystem::remove(path);
}

} // namespace
