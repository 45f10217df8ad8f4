#include "varko/compiler/check_run.h"

#include "varko/textrules/case_insensitive.h"

#include <algorithm>
#include <unordered_set>

namespace varko::compiler {

using textrules::LineList;

namespace {

enum State {
    Unknown = -1,
    Unchecked = 0,
    OdfFile = 1,
    Include = 2,
    OdfName = 3,
    SodFile = 4,
    Bool = 5,
    Int = 6,
    Real = 7,
    String = 8,
    SodName = 9,
};

State StateOfType(const std::string& type, const std::string& value) {
    if (type == "odfn")
        return OdfName;
    if (type == "string")
        return String;
    if (type == "int")
        return Int;
    if (type == "real")
        return Real;
    if (type == "arraystring")
        return Unchecked;
    if (type == "bool")
        return Bool;
    if (type == "sod")
        return SodFile;
    if (type == "sodn")
        return SodName;
    if (type == "strange")
        return Unchecked;
    if (type == "odf" && !value.empty())
        return OdfFile;
    return Unknown;
}

// A trailing "f" is dropped from the token itself, so the message shows the shortened token.
bool IsReal(std::string& token) {
    if (!token.empty() && token.back() == 'f')
        token.pop_back();
    long long dot = static_cast<long long>(textrules::Position(".", token));
    std::string whole = textrules::Substring(token, 1, dot - 1);
    std::string fraction = textrules::Substring(token, dot + 1, static_cast<long long>(token.size()));
    if (textrules::ParseInt(whole) && textrules::ParseInt(fraction))
        return true;
    return textrules::ParseInt(token).has_value();
}

// The value and what follows it: a line of a million words costs no more than one of two.
constexpr std::size_t kTokensLookedAt = 2;

class OdfCheck {
public:
    OdfCheck(const DeclarationTable& declarations, const GameFiles& files, CheckSink& sink)
        : m_declarations(declarations), m_files(files), m_sink(sink) {}

    int count() const { return m_count; }

    void CheckLine(const std::string& line, int n) {
        m_line = n;
        PropertyLine parts = SplitPropertyLine(line);
        SplitValue(line, ValueStart(line));
        m_folded = FoldDigits(parts.name);
        m_name = parts.name;
        State state = Classify(line, parts.value);
        if (state == Unknown)
            Report("M1", 1, {line});
        if (state != Unknown && m_seen.contains(m_name))
            Report("M2", 1, {m_name});
        if (!m_name.empty())
            m_seen.insert(m_name);
        CheckType(state, line, parts.value);
        if (m_tokens.size() >= 2 && !m_tokens[1].starts_with("//") && state > 0)
            Report("M13", TokenColumn(1), {m_tokens[1]});
    }

private:
    // Where SplitPropertyLine takes the value from: two bytes past the first "=", or from the
    // second byte when there is none.
    static std::size_t ValueStart(const std::string& line) {
        const std::size_t eq = line.find('=');
        return std::min(line.size(), eq == std::string::npos ? std::size_t{1} : eq + 2);
    }

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

    State Classify(const std::string& line, const std::string& value) const {
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

    void CheckType(State state, const std::string& line, const std::string& value) {
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

    void CheckValue(State state, const std::string& value) {
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

    void CheckString(const std::string& value) {
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
    std::unordered_set<std::string, textrules::CaseInsensitiveHash, textrules::CaseInsensitiveEqual> m_seen;
    std::string m_name;
    std::string m_folded;
    int m_line = 0;
    int m_count = 0;
};

} // namespace

void CompileOdf(const LineList& lines, const DeclarationTable& declarations, const GameFiles& files,
                const std::atomic<bool>& stop, CheckSink& sink) {
    const int lineCount = static_cast<int>(lines.size());
    sink.RunStarted(lineCount);
    OdfCheck check(declarations, files, sink);
    for (int i = 0; i < lineCount; ++i) {
        if (stop.load(std::memory_order_relaxed))
            break;
        sink.ProgressStep();
        check.CheckLine(lines[static_cast<std::size_t>(i)], i + 1);
    }
    sink.RunFinished(check.count());
}

} // namespace varko::compiler
