// The language server's framing and dispatcher over arbitrary bytes, with documents edited by
// whatever didOpen and didChange messages the bytes hold. Properties:
// - reading never stores a message over the limit, and the reader always comes to an end;
// - every message written back is one whole frame of valid JSON in valid UTF-8;
// - no request is answered twice (an id the client used twice may be answered twice);
// - an edited document's lines hold no line ends, and each column maps back to its byte.
#include "fuzz_support.h"
#include "varko/lsp/dispatcher.h"
#include "varko/lsp/text_document.h"

#include <map>
#include <sstream>

namespace {

using namespace varko::lsp;
using varko::fuzz::Expect;

void Bind(Dispatcher& dispatcher, std::map<std::string, TextDocument>& documents, PositionEncoding encoding) {
    dispatcher.OnRequest("initialize", [](const json&, Reply reply) {
        reply.Result({{"capabilities", json::object()}});
    });
    dispatcher.OnRequest("shutdown", [](const json&, Reply reply) { reply.Result(nullptr); });
    dispatcher.OnRequest("echo", [](const json& params, Reply reply) { reply.Result(params.at("value")); });
    dispatcher.OnNotification("textDocument/didOpen", [&](const json& params) {
        const json& item = params.at("textDocument");
        documents[item.at("uri").get<std::string>()] = TextDocument(item.at("text").get<std::string>(), 1);
    });
    dispatcher.OnNotification("textDocument/didChange", [&, encoding](const json& params) {
        auto found = documents.find(params.at("textDocument").at("uri").get<std::string>());
        if (found == documents.end())
            return;
        for (const json& change : params.at("contentChanges"))
            found->second.Apply(change, encoding);
    });
}

void CheckOutput(const std::string& output, std::map<std::string, int> requests) {
    std::istringstream in(output);
    for (ReadResult read = ReadMessage(in); read.status != ReadStatus::End; read = ReadMessage(in)) {
        Expect(read.status == ReadStatus::Message, "a written frame cannot be read back");
        const json message = json::parse(read.body, nullptr, false);
        Expect(!message.is_discarded(), "a written message is not valid JSON", read.body);
        if (message.contains("id") && !message["id"].is_null())
            Expect(--requests[message["id"].dump()] >= 0, "a request answered twice", read.body);
    }
}

void CheckDocument(const TextDocument& document, PositionEncoding encoding) {
    for (std::size_t i = 0; i < document.LineCount(); ++i) {
        const std::string_view line = document.Line(i);
        Expect(line.find_first_of("\r\n") == std::string_view::npos, "a line holds a line end");
        const std::size_t end = ByteOfColumn(line, ColumnOfByte(line, line.size(), encoding), encoding);
        Expect(end == line.size(), "the end of a line does not map back to itself");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    if (size == 0)
        return 0;
    const PositionEncoding encoding = bytes[0] & 1 ? PositionEncoding::Utf8 : PositionEncoding::Utf16;
    std::istringstream in(std::string(reinterpret_cast<const char*>(bytes) + 1, size - 1));
    std::ostringstream out;
    MessageWriter writer(out);
    Connection connection(writer);
    Dispatcher dispatcher(connection);
    std::map<std::string, TextDocument> documents;
    std::map<std::string, int> requests; // by id, as the client sent them
    Bind(dispatcher, documents, encoding);
    for (int messages = 0; messages < 1000; ++messages) {
        ReadResult read = ReadMessage(in);
        Expect(read.body.size() <= kMaxMessageBytes, "a message over the limit was stored");
        if (read.status == ReadStatus::End)
            break;
        if (read.status != ReadStatus::Message)
            continue;
        const json sent = json::parse(read.body, nullptr, false);
        if (sent.is_object() && sent.contains("id"))
            ++requests[sent["id"].dump()];
        if (dispatcher.Dispatch(read.body) == Dispatcher::Outcome::Exit)
            break;
    }
    CheckOutput(out.str(), std::move(requests));
    for (const auto& [uri, document] : documents)
        CheckDocument(document, encoding);
    return 0;
}
