#pragma once

#include <nlohmann/json.hpp>

#include <cstddef>
#include <istream>
#include <mutex>
#include <ostream>
#include <string>

namespace varko::lsp {

// A message larger than this is refused without being stored.
inline constexpr std::size_t kMaxMessageBytes = std::size_t{64} << 20;

enum class ReadStatus {
    Message, // body holds one message's bytes
    Skipped, // a message could not be taken (problem says why); reading may go on
    End,     // the input ended
};

struct ReadResult {
    ReadStatus status = ReadStatus::End;
    std::string body;
    std::string problem; // for the log
};

// Reads one message of the base protocol: header lines up to an empty line, a Content-Length among
// them, then exactly that many bytes. A header without a valid length is skipped; text before a
// "Content-Length:" on a header line (the rest of a broken message) is passed over, so the stream
// finds its feet again at the next header. A length over the limit is read past in small pieces.
ReadResult ReadMessage(std::istream& in);

// Writes each message whole, header and body, then flushes; safe from several threads.
class MessageWriter {
public:
    explicit MessageWriter(std::ostream& out) : m_out(out) {}
    void Write(const nlohmann::json& message);

private:
    std::mutex m_mutex;
    std::ostream& m_out;
};

} // namespace varko::lsp
