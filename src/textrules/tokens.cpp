#include "varko/textrules/text_rules.h"

#include <limits>

namespace varko::textrules {

namespace {

class TokenScanner {
public:
    explicit TokenScanner(std::string_view text) : m_text(text.substr(0, text.find('\0'))) {}

    void Run(LineList& tokens, std::size_t most, std::vector<std::size_t>* starts = nullptr) {
        tokens.clear();
        if (starts)
            starts->clear();
        SkipBlanks();
        while (!AtEnd() && tokens.size() < most) {
            if (starts)
                starts->push_back(m_pos);
            if (Current() == '"')
                tokens.push_back(ReadQuoted());
            else
                tokens.push_back(ReadPlain());
            SkipBlanks();
            if (!AtEnd() && Current() == ',') {
                ++m_pos;
                SkipBlanks();
            }
        }
    }

private:
    static bool IsBlank(char c) {
        unsigned char u = static_cast<unsigned char>(c);
        return u >= 1 && u <= 32;
    }
    bool AtEnd() const { return m_pos >= m_text.size(); }
    char Current() const { return m_text[m_pos]; }
    void SkipBlanks() {
        while (!AtEnd() && IsBlank(Current()))
            ++m_pos;
    }

    std::string ReadPlain() {
        std::size_t start = m_pos;
        while (!AtEnd() && !IsBlank(Current()) && Current() != ',')
            ++m_pos;
        return std::string(m_text.substr(start, m_pos - start));
    }

    // Two quotes together stand for one; the first single quote closes the token.
    std::string ReadQuoted() {
        ++m_pos;
        std::string token;
        for (;;) {
            const std::size_t quote = m_text.find('"', m_pos);
            if (quote == std::string_view::npos)
                break;
            token.append(m_text.substr(m_pos, quote - m_pos));
            m_pos = quote + 1;
            if (AtEnd() || Current() != '"')
                return token;
            token.push_back('"');
            ++m_pos;
        }
        // No closing quote: the rest of the text, less its final character.
        token.append(m_text.substr(m_pos));
        m_pos = m_text.size();
        if (!token.empty())
            token.pop_back();
        return token;
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
};

} // namespace

void SplitTokens(LineList& list, std::string_view text) {
    TokenScanner(text).Run(list, std::numeric_limits<std::size_t>::max());
}

void SplitTokens(LineList& list, std::string_view text, std::size_t most) {
    TokenScanner(text).Run(list, most);
}

void SplitTokens(LineList& list, std::vector<std::size_t>& starts, std::string_view text, std::size_t most) {
    TokenScanner(text).Run(list, most, &starts);
}

LineList SplitTokens(std::string_view text) {
    LineList tokens;
    SplitTokens(tokens, text);
    return tokens;
}

} // namespace varko::textrules
