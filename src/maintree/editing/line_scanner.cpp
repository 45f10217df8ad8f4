#include "varko/maintree/editing/line_scanner.h"

#include "varko/language/token_spans.h"

#include <QLatin1StringView>

#include <algorithm>
#include <array>
#include <optional>

namespace varko::maintree {

namespace {

constexpr std::array<QLatin1StringView, 13> kFileExtensions = {
    QLatin1StringView(".odf"), QLatin1StringView(".sod"), QLatin1StringView(".tt"),
    QLatin1StringView(".wav"), QLatin1StringView(".tga"), QLatin1StringView(".msh"),
    QLatin1StringView(".bmp"), QLatin1StringView(".pic"), QLatin1StringView(".map"),
    QLatin1StringView(".cfg"), QLatin1StringView(".des"), QLatin1StringView(".vxt"),
    QLatin1StringView(".txt"),
};

const QLatin1StringView kInclude("#include ");
const QLatin1StringView kCommentStart("//");

bool IsBlank(QChar c) {
    return c.unicode() >= 1 && c.unicode() <= 32;
}

bool IsDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool IsHexDigit(QChar c) {
    return IsDigit(c) || (c.toLower() >= QLatin1Char('a') && c.toLower() <= QLatin1Char('f'));
}

bool IsFileName(QStringView text) {
    for (QLatin1StringView extension : kFileExtensions) {
        if (text.endsWith(extension, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

// Numbers as a reader sees them: an optional sign, digits with at most one point between digits
// and an optional "f", or hexadecimal after "0x" or "$". Whether a value suits its property is
// the checker's business, not the colour's.
bool IsNumber(QStringView text) {
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) || text.startsWith(QLatin1Char('$'))) {
        const QStringView digits = text.sliced(text.startsWith(QLatin1Char('$')) ? 1 : 2);
        return !digits.isEmpty() && std::all_of(digits.begin(), digits.end(), IsHexDigit);
    }
    if (text.startsWith(QLatin1Char('-')) || text.startsWith(QLatin1Char('+')))
        text = text.sliced(1);
    if (text.endsWith(QLatin1Char('f')))
        text.chop(1);
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    const QStringView whole = point < 0 ? text : text.first(point);
    const QStringView fraction = point < 0 ? QStringView(u"0") : text.sliced(point + 1);
    return !whole.isEmpty() && !fraction.isEmpty() && std::all_of(whole.begin(), whole.end(), IsDigit) &&
           std::all_of(fraction.begin(), fraction.end(), IsDigit);
}

struct Token {
    qsizetype start = 0;
    qsizetype end = 0;
    bool quoted = false;
};

// Walks the tokens of a line from a position on, with the boundaries of the text rules.
class TokenWalk {
public:
    TokenWalk(QStringView line, qsizetype from) : m_text(line.first(EndOfText(line))), m_pos(from) {
        SkipBlanks();
    }

    bool AtEnd() const { return m_pos >= m_text.size(); }

    Token Next() {
        Token token{m_pos, m_pos, m_text[m_pos] == QLatin1Char('"')};
        m_pos = token.quoted ? QuotedEnd(m_pos + 1) : PlainEnd(m_pos);
        token.end = m_pos;
        SkipBlanks();
        if (!AtEnd() && m_text[m_pos] == QLatin1Char(',')) {
            ++m_pos;
            SkipBlanks();
        }
        return token;
    }

    qsizetype QuotedEnd(qsizetype pos) const {
        while (pos < m_text.size()) {
            if (m_text[pos] != QLatin1Char('"'))
                ++pos;
            else if (pos + 1 < m_text.size() && m_text[pos + 1] == QLatin1Char('"'))
                pos += 2;
            else
                return pos + 1;
        }
        return pos;
    }

    qsizetype PlainEnd(qsizetype pos) const {
        while (pos < m_text.size() && !IsBlank(m_text[pos]) && m_text[pos] != QLatin1Char(','))
            ++pos;
        return pos;
    }

private:
    // A NUL ends the text for the checkers, so it ends the tokens here too.
    static qsizetype EndOfText(QStringView line) {
        const qsizetype nul = line.indexOf(QChar(0));
        return nul < 0 ? line.size() : nul;
    }
    void SkipBlanks() {
        while (!AtEnd() && IsBlank(m_text[m_pos]))
            ++m_pos;
    }

    QStringView m_text;
    qsizetype m_pos = 0;
};

QStringView ContentOf(QStringView line, const Token& token) {
    QStringView text = line.sliced(token.start, token.end - token.start);
    if (token.quoted) {
        text = text.sliced(1);
        if (text.endsWith(QLatin1Char('"')))
            text.chop(1);
    }
    return text;
}

// A file name shows as one whether it is quoted or not; other words of a value stay plain.
std::optional<TextStyle> ValueStyle(QStringView content, const Token& token) {
    if (IsFileName(content))
        return TextStyle::FileName;
    if (token.quoted)
        return TextStyle::String;
    if (IsNumber(content))
        return TextStyle::Number;
    return std::nullopt;
}

// Styles the tokens from `from` on; a token that begins with "//" starts a comment to the end.
// `styleOf` gives the style of the n-th token.
template <typename StyleOf>
void ScanTokens(QStringView line, qsizetype from, std::vector<StyledSpan>& spans, StyleOf styleOf) {
    TokenWalk walk(line, from);
    for (int index = 0; !walk.AtEnd(); ++index) {
        const Token token = walk.Next();
        if (!token.quoted && line.sliced(token.start).startsWith(kCommentStart)) {
            spans.push_back({token.start, line.size() - token.start, TextStyle::Comment});
            return;
        }
        const std::optional<TextStyle> style = styleOf(index, ContentOf(line, token), token);
        if (style && token.end > token.start)
            spans.push_back({token.start, token.end - token.start, *style});
    }
}

void ScanValues(QStringView line, qsizetype from, std::vector<StyledSpan>& spans) {
    ScanTokens(line, from, spans,
               [](int, QStringView content, const Token& token) { return ValueStyle(content, token); });
}

// The position of the "=" that ends a property name: the first "=", with a blank before it and a
// blank or the end of the line after it.
qsizetype PropertyEquals(QStringView line) {
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 2 || line[equals - 1] != QLatin1Char(' '))
        return -1;
    if (equals + 1 < line.size() && line[equals + 1] != QLatin1Char(' '))
        return -1;
    return equals;
}

void ScanOdfLine(QStringView line, std::vector<StyledSpan>& spans) {
    if (line.startsWith(QLatin1Char('['))) {
        const qsizetype close = line.indexOf(QLatin1Char(']'));
        const qsizetype end = close < 0 ? line.size() : close + 1;
        spans.push_back({0, end, TextStyle::Section});
        ScanValues(line, end, spans);
        return;
    }
    if (line.startsWith(kInclude)) {
        spans.push_back({0, kInclude.size() - 1, TextStyle::Include});
        ScanValues(line, kInclude.size(), spans);
        return;
    }
    const qsizetype equals = IsBlank(line[0]) ? -1 : PropertyEquals(line);
    if (equals < 0) {
        ScanValues(line, 0, spans);
        return;
    }
    spans.push_back({0, equals - 1, TextStyle::Property});
    ScanValues(line, equals + 1, spans);
}

void ScanTechTreeLine(QStringView line, std::vector<StyledSpan>& spans) {
    ScanTokens(line, 0, spans, [](int index, QStringView content, const Token&) -> std::optional<TextStyle> {
        if (index == 0)
            return TextStyle::TechObject;
        if (index == 1)
            return IsNumber(content) ? std::optional(TextStyle::Number) : std::nullopt;
        return TextStyle::FileName;
    });
}

} // namespace

std::vector<StyledSpan> ScanLine(QStringView line, DocumentKind kind) {
    std::vector<StyledSpan> spans;
    if (line.isEmpty())
        return spans;
    if (line.startsWith(kCommentStart))
        spans.push_back({0, line.size(), TextStyle::Comment});
    else if (kind == DocumentKind::TechTree)
        ScanTechTreeLine(line, spans);
    else
        ScanOdfLine(line, spans);
    return spans;
}

// The editor holds one character per byte of the file, so columns agree with the core's bytes.
FaultStretch FaultStretchAt(QStringView line, int column) {
    const language::FindingSpan span = language::FindingSpanAt(line.toLatin1().toStdString(), column);
    return {static_cast<qsizetype>(span.start), static_cast<qsizetype>(span.end)};
}

} // namespace varko::maintree
