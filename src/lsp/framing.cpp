#include "varko/lsp/framing.h"

#include "varko/textrules/text_rules.h"

#include <array>

namespace varko::lsp {

namespace {

constexpr std::string_view kLengthField = "content-length:";
// A header line longer than this keeps only its end, where a length field may still be found.
constexpr std::size_t kMaxHeaderLine = 4096;

// False when the input ended before any byte of the line.
bool ReadHeaderLine(std::istream& in, std::string& line) {
    line.clear();
    int c = 0;
    bool any = false;
    while ((c = in.get()) != std::char_traits<char>::eof()) {
        any = true;
        if (c == '\n')
            break;
        line.push_back(static_cast<char>(c));
        if (line.size() > kMaxHeaderLine)
            line.erase(0, line.size() - kMaxHeaderLine / 2);
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return any;
}

std::optional<std::size_t> ParseLength(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return std::nullopt;
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    if (text.empty() || text.size() > 18)
        return std::nullopt;
    std::size_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + static_cast<std::size_t>(c - '0');
    }
    return value;
}

void Discard(std::istream& in, std::size_t length) {
    std::array<char, 65536> piece;
    while (length > 0 && in) {
        const std::size_t step = std::min(length, piece.size());
        in.read(piece.data(), static_cast<std::streamsize>(step));
        length -= static_cast<std::size_t>(in.gcount());
    }
}

struct Header {
    bool any = false;
    bool valid = false;
    std::size_t length = 0;
};

// False at the end of the input before the header ended.
bool ReadHeader(std::istream& in, Header& header) {
    std::string line;
    while (ReadHeaderLine(in, line)) {
        if (line.empty()) {
            if (header.any)
                return true;
            continue; // blank lines between messages
        }
        header.any = true;
        const std::size_t at = textrules::FoldCase(line).rfind(kLengthField);
        if (at == std::string::npos)
            continue;
        const std::optional<std::size_t> length =
            ParseLength(std::string_view(line).substr(at + kLengthField.size()));
        header.valid = length.has_value();
        header.length = length.value_or(0);
    }
    return false;
}

} // namespace

ReadResult ReadMessage(std::istream& in) {
    Header header;
    if (!ReadHeader(in, header))
        return {ReadStatus::End, {}, header.any ? "input ended inside a header" : ""};
    if (!header.valid)
        return {ReadStatus::Skipped, {}, "header without a valid Content-Length; skipped"};
    if (header.length > kMaxMessageBytes) {
        Discard(in, header.length);
        return {ReadStatus::Skipped,
                {},
                "message of " + std::to_string(header.length) + " bytes is over the 64 MiB limit; skipped"};
    }
    ReadResult result{ReadStatus::Message, std::string(header.length, '\0'), {}};
    in.read(result.body.data(), static_cast<std::streamsize>(header.length));
    if (static_cast<std::size_t>(in.gcount()) != header.length)
        return {ReadStatus::End, {}, "input ended inside a message"};
    return result;
}

void MessageWriter::Write(const nlohmann::json& message) {
    const std::string body = message.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    std::string whole = "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n";
    whole += body;
    std::lock_guard lock(m_mutex);
    m_out.write(whole.data(), static_cast<std::streamsize>(whole.size()));
    m_out.flush();
}

} // namespace varko::lsp
