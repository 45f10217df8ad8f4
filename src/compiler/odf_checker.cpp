#include "varko/compiler/check_run.h"

#include "varko/textrules/name_index.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace varko::compiler {

using textrules::LineList;

namespace {

// What a line is checked as; the states above Unchecked take a value that may be followed only
// by a comment.
enum State {
    Unknown = -1,
    Unchecked = 0,
    OdfFile,
    Include,
    OdfName,
    SodFile,
    Bool,
    Int,
    Real,
    String,
    SodName
};

// The type words of declarations.txt, matched exactly.
constexpr std::pair<std::string_view, State> kTypeWords[] = {
    {"odfn", OdfName}, {"string", String},         {"int", Int},
    {"real", Real},    {"arraystring", Unchecked}, {"bool", Bool},
    {"sod", SodFile},  {"sodn", SodName},          {"strange", Unchecked},
};

State StateOfType(std::string_view type, std::string_view value) {
    // An "odf" property with an empty value counts as unknown.
    if (type == "odf")
        return value.empty() ? Unknown : OdfFile;
    for (const auto& [word, state] : kTypeWords) {
        if (type == word)
            return state;
    }
    return Unknown;
}

// A trailing "f" is dropped from the token itself, so the message shows the shortened token.
bool IsReal(std::string& token) {
    if (!token.empty() && token.back() == 'f')
        token.pop_back();
    // Without a dot the whole part is empty and the test falls to the token as an integer.
    const std::size_t dot = token.find('.');
    const std::string_view whole =
        dot == std::string::npos ? std::string_view() : std::string_view(token).substr(0, dot);
    const std::string_view fraction =
        dot == std::string::npos ? std::string_view(token) : std::string_view(token).substr(dot + 1);
    if (textrules::ParseInt(whole) && textrules::ParseInt(fraction))
        return true;
    return textrules::ParseInt(token).has_value();
}

// The value and what follows it: a line of a million words costs no more than one of two.
constexpr std::size_t kTokensLookedAt = 2;

class OdfCheck {
public:
    OdfCheck(const DeclarationTable& declarations, const GameFiles& files, CheckSink& sink,
             std::size_t lineCount)
        : m_declarations(declarations), m_files(files), m_sink(sink),
          m_seen(std::min<std::size_t>(lineCount, 65536)) {}

    int count() const { return m_count; }

    void CheckLine(const std::string& line, int n) {
        m_line = n;
        const PropertyLineView parts = SplitPropertyLineView(line);
        SplitValue(line, parts.valueStart);
        m_folded.assign(parts.name);
        FoldDigitsInPlace(m_folded);
        m_name = parts.name;
        State state = Classify(line, parts.value);
        // An empty name is never recorded, so it never repeats.
        const bool repeated = !m_name.empty() && !m_seen.Insert(m_name, 0);
        if (state == Unknown)
            Report("M1", 1, {line});
        if (state != Unknown && repeated)
            Report("M2", 1, {std::string(m_name)});
        CheckType(state, line, parts.value);
        if (m_tokens.size() >= 2 && !m_tokens[1].starts_with("//") && state > 0)
            Report("M13", TokenColumn(1), {m_tokens[1]});
    }

private:
    // Splits the text from `start` to the end of the line, noting where it begins so that each
    // token's column is known.
    void SplitValue(const std::string& line, std::size_t start) {
        m_tokenBase = start;
        textrules::SplitTokens(m_tokens, m_starts, std::string_view(line).substr(start), kTokensLookedAt);
    }

    // The 1-based column of a token; a missing first token stands where the value would begin.
    int TokenColumn(std::size_t index) const {
        const std::size_t offset = index < m_starts.size() ? m_starts[index] : 0;
        return static_cast<int>(m_tokenBase + offset) + 1;
    }

    State Classify(const std::string& line, std::string_view value) const {
        if (line.starts_with("//") || line.empty() || line[0] == '\t' || line[0] == ' ')
            return Unchecked;
        if (line.starts_with("#include "))
            return Include;
        return StateOfType(m_declarations.TypeOf(m_folded), value);
    }

    // A value without tokens is read as one empty token, so it gets its type's message.
    std::string& Token0() {
        if (m_tokens.empty())
            m_tokens.emplace_back();
        return m_tokens[0];
    }

    void CheckType(State state, const std::string& line, std::string_view value) {
        switch (state) {
        case OdfFile:
            if (!m_files.OdfExists(Token0() + ".odf"))
                ReportValue("M3", {Token0() + ".odf"});
            break;
        case Include:
            SplitValue(line, 9);
            if (!m_files.OdfExists(Token0()))
                ReportValue("M4", {Token0()});
            break;
        case OdfName:
            if (!m_files.OdfExists(Token0()))
                ReportValue("M5", {Token0()});
            break;
        case SodFile:
            if (!m_files.SodExists(Token0() + ".sod"))
                ReportValue("M6", {Token0() + ".sod"});
            break;
        default:
            CheckValue(state, value);
            break;
        }
    }

    void CheckValue(State state, std::string_view value) {
        switch (state) {
        case Bool:
            if (Token0() != "0" && Token0() != "1")
                ReportValue("M7", {m_folded});
            break;
        case Int:
            if (!textrules::ParseInt(Token0()))
                ReportValue("M8", {m_folded, Token0()});
            break;
        case Real:
            if (!IsReal(Token0()))
                ReportValue("M9", {m_folded, Token0()});
            break;
        case String:
            CheckString(value);
            break;
        case SodName:
            if (!value.starts_with('"') && !m_files.SodExists(Token0()))
                ReportValue("M12", {Token0()});
            break;
        default:
            break;
        }
    }

    void CheckString(std::string_view value) {
        if (!value.starts_with('"'))
            ReportValue("M10", {m_folded});
        else if (m_tokens.size() == 1 && !value.ends_with('"'))
            ReportValue("M11", {});
    }

    void ReportValue(const char* code, std::vector<std::string> parts) {
        Report(code, TokenColumn(0), std::move(parts));
    }

    void Report(const char* code, int column, std::vector<std::string> parts) {
        ++m_count;
        m_sink.MessageFound(Finding{m_line, column, code, std::move(parts)});
    }

    const DeclarationTable& m_declarations;
    const GameFiles& m_files;
    CheckSink& m_sink;
    LineList m_tokens;
    std::vector<std::size_t> m_starts;
    std::size_t m_tokenBase = 0;
    // The names met so far, as views into the document's lines, which outlive the check.
    textrules::NameIndex m_seen;
    std::string_view m_name;
    std::string m_folded;
    int m_line = 0;
    int m_count = 0;
};

} // namespace

void CompileOdf(const LineList& lines, const DeclarationTable& declarations, const GameFiles& files,
                const std::atomic<bool>& stop, CheckSink& sink) {
    const int lineCount = static_cast<int>(lines.size());
    sink.RunStarted(lineCount);
    OdfCheck check(declarations, files, sink, lines.size());
    for (int i = 0; i < lineCount; ++i) {
        if (stop.load(std::memory_order_relaxed))
            break;
        sink.ProgressStep();
        check.CheckLine(lines[static_cast<std::size_t>(i)], i + 1);
    }
    sink.RunFinished(check.count());
}

} // namespace varko::compiler
