// The text rules over arbitrary bytes: line cutting (in memory and from a file), tokens, integers,
// extensions, substrings and positions. Each is held to a property that does not restate its code.
#include "fuzz_support.h"
#include "varko/textrules/text_rules.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <unistd.h>

namespace {

using varko::fuzz::Expect;
using varko::textrules::LineList;

// CR LF, CR and LF are one break each; the text ends at a NUL; a final break adds no line.
LineList LinesByBreaks(std::string_view bytes) {
    std::string text(bytes.substr(0, bytes.find('\0')));
    LineList lines;
    if (text.empty())
        return lines;
    std::string current;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') {
            current.push_back(text[i]);
            continue;
        }
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        lines.push_back(std::move(current));
        current.clear();
    }
    if (!current.empty() || (text.back() != '\r' && text.back() != '\n'))
        lines.push_back(std::move(current));
    return lines;
}

void CheckLines(std::string_view bytes) {
    const LineList lines = varko::textrules::SplitLines(bytes);
    Expect(lines == LinesByBreaks(bytes), "lines differ from their breaks");
    // A document keeps its NUL bytes; up to the first of them it cuts as the string lists do.
    const LineList documentLines = varko::textrules::SplitDocumentLines(bytes);
    if (bytes.find('\0') == std::string_view::npos)
        Expect(documentLines == lines, "a document cuts its lines otherwise");

    static const std::string path = "/tmp/varko_fuzz_lines_" + std::to_string(::getpid());
    std::FILE* file = std::fopen(path.c_str(), "wb");
    Expect(file != nullptr, "cannot write the scratch file");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    LineList loaded = {"stale"};
    Expect(varko::textrules::LoadLines(loaded, path), "cannot load the scratch file");
    Expect(loaded == lines, "a file loads other lines than its bytes split into");
}

// Without quotes, tokens are the text less its blanks (codes 1 to 32) and commas.
void CheckTokens(std::string_view text) {
    const LineList tokens = varko::textrules::SplitTokens(text);
    const std::string_view scanned = text.substr(0, text.find('\0'));
    if (scanned.find('"') != std::string_view::npos)
        return;
    std::string kept;
    for (char c : scanned) {
        const auto code = static_cast<unsigned char>(c);
        if (code > 32 && c != ',')
            kept.push_back(c);
    }
    std::string joined;
    for (const std::string& token : tokens) {
        Expect(token.find_first_of(std::string(" \t\r\n,")) == std::string::npos,
               "a token holds a separator");
        joined += token;
    }
    Expect(joined == kept, "tokens lose or add bytes");
}

// Asking for at most n tokens gives the first n of them.
void CheckTokenLimit(std::string_view text, std::size_t most) {
    LineList all = varko::textrules::SplitTokens(text);
    if (all.size() > most)
        all.resize(most);
    LineList limited = {"stale"};
    varko::textrules::SplitTokens(limited, text, most);
    Expect(limited == all, "a limited split is not the start of the full one");
}

void CheckNumbers(std::int32_t number, std::string_view text) {
    const std::string decimal = std::to_string(number);
    Expect(varko::textrules::ParseInt(decimal) == number, "decimal round trip", decimal);
    Expect(varko::textrules::ParseInt("  " + decimal) == number, "leading blanks", decimal);
    char hex[16];
    std::snprintf(hex, sizeof hex, "$%X", static_cast<std::uint32_t>(number));
    Expect(varko::textrules::ParseInt(hex) == number, "hexadecimal round trip", hex);
    (void)varko::textrules::ParseInt(text);
}

void CheckPieces(std::string_view find, std::string_view text, long long start, long long count) {
    const std::size_t at = varko::textrules::Position(find, text);
    if (at > 0)
        Expect(text.find(find) == at - 1, "position is not the first match");
    else
        Expect(find.empty() || text.find(find) == std::string_view::npos, "a match was missed");
    const std::string piece = varko::textrules::Substring(text, start, count);
    Expect(piece.size() <= text.size() && text.find(piece) != std::string_view::npos,
           "substring not in text");
    const std::string extension = varko::textrules::FileExtension(text);
    Expect(extension.empty() || (extension[0] == '.' && std::string_view(text).ends_with(extension)),
           "extension is not the end of the name");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    const auto number = data.ConsumeIntegral<std::int32_t>();
    const auto start = data.ConsumeIntegralInRange<long long>(-4, 300);
    const auto count = data.ConsumeIntegralInRange<long long>(-4, 300);
    const auto most = data.ConsumeIntegralInRange<std::size_t>(0, 4);
    const std::string find = data.ConsumeRandomLengthString(8);
    const std::string text = data.ConsumeRemainingBytesAsString();
    CheckLines(text);
    CheckTokens(text);
    CheckTokenLimit(text, most);
    CheckNumbers(number, text);
    CheckPieces(find, text, start, count);
    return 0;
}
