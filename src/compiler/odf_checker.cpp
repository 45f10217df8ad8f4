#include "varko/compiler/check_run.h"

#include "varko/textrules/case_insensitive.h"

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
    OdfCheck(const DeclarationTable& declarations, const FileLookup& files, CheckSink& sink)
        : m_declarations(declarations), m_files(files), m_sink(sink) {}

    int count() const { return m_count; }

    void CheckLine(const std::string& line, int n) {
        m_line = n;
        PropertyLine parts = SplitPropertyLine(line);
        textrules::SplitTokens(m_tokens, parts.value, kTokensLookedAt);
        m_folded = FoldDigits(parts.name);
        m_name = parts.name;
        State state = Classify(line, parts.value);
        if (state == Unknown)
            Report("M1", "Unknown command: " + line);
        if (state != Unknown && m_seen.contains(m_name))
            Report("M2", "property " + m_name + " specified more than once!");
        if (!m_name.empty())
            m_seen.insert(m_name);
        CheckType(state, line, parts.value);
        if (m_tokens.size() >= 2 && !m_tokens[1].starts_with("//") && state > 0)
            Report("M13", "Unknown specifications '" + m_tokens[1] +
                              "' found at the end of the value. Please remove or comment it \"//\"");
    }

private:
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
                Report("M3", "File not found: " + Token0() + ".odf");
            break;
        case Include:
            textrules::SplitTokens(m_tokens, std::string_view(line).substr(9), kTokensLookedAt);
            if (!m_files.OdfExists(Token0()))
                Report("M4", "File not found: " + Token0());
            break;
        case OdfName:
            if (!m_files.OdfExists(Token0()))
                Report("M5", "File not found: " + Token0());
            break;
        case SodFile:
            if (!m_files.SodExists(Token0() + ".sod"))
                Report("M6", "File not found: " + Token0() + ".sod");
            break;
        case Bool:
            if (Token0() != "0" && Token0() != "1")
                Report("M7",
                       "Property '" + m_folded + "' is a boolean type. Its value needs to be either 0 or 1");
            break;
        case Int:
            if (!textrules::ParseInt(Token0()))
                Report("M8", "Property '" + m_folded + "' is an integer. '" + Token0() +
                                 "' is not a valid integer");
            break;
        case Real:
            if (!IsReal(Token0()))
                Report("M9", "Property '" + m_folded + "' is a real. '" + Token0() + "' is not a valid real");
            break;
        case String:
            CheckString(value);
            break;
        case SodName:
            if (!value.starts_with('"') && !m_files.SodExists(Token0()))
                Report("M12", "File not found: " + Token0());
            break;
        case Unknown:
        case Unchecked:
            break;
        }
    }

    void CheckString(const std::string& value) {
        if (!value.starts_with('"'))
            Report("M10", "Property '" + m_folded + "' is a string. Quotation marks \"\" are needed");
        else if (m_tokens.size() == 1 && !value.ends_with('"'))
            Report("M11", "Ending quotation marks are missing");
    }

    void Report(const char* code, const std::string& detail) {
        ++m_count;
        m_sink.MessageFound({m_line, code, "Line " + std::to_string(m_line) + ": Error - " + detail});
    }

    const DeclarationTable& m_declarations;
    const FileLookup& m_files;
    CheckSink& m_sink;
    LineList m_tokens;
    std::unordered_set<std::string, textrules::CaseInsensitiveHash, textrules::CaseInsensitiveEqual> m_seen;
    std::string m_name;
    std::string m_folded;
    int m_line = 0;
    int m_count = 0;
};

} // namespace

void CompileOdf(const LineList& lines, const DeclarationTable& declarations, const FileLookup& files,
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
