// The dispatcher's rules of the server's life, one row per message sequence: what each message is
// answered with.
#include "varko/lsp/dispatcher.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace varko::lsp;

namespace {

// A dispatcher with initialize, shutdown and one request, writing into a string.
struct Wire {
    std::ostringstream out;
    MessageWriter writer{out};
    Connection connection{writer};
    Dispatcher dispatcher{connection};
    std::vector<std::string> notified;

    Wire() {
        dispatcher.OnRequest("initialize", [](const json&, Reply reply) {
            reply.Result({{"capabilities", json::object()}});
        });
        dispatcher.OnRequest("shutdown", [](const json&, Reply reply) { reply.Result(nullptr); });
        dispatcher.OnRequest("echo",
                             [](const json& params, Reply reply) { reply.Result(params.at("value")); });
        dispatcher.OnNotification("note", [this](const json& params) { notified.push_back(params.dump()); });
    }

    // The messages written so far, parsed.
    std::vector<json> Written() {
        std::istringstream in(out.str());
        std::vector<json> messages;
        for (ReadResult read = ReadMessage(in); read.status == ReadStatus::Message; read = ReadMessage(in))
            messages.push_back(json::parse(read.body));
        return messages;
    }
};

const std::string kInitialize = R"({"jsonrpc":"2.0","id":1,"method":"initialize","params":{}})";
const std::string kShutdown = R"({"jsonrpc":"2.0","id":2,"method":"shutdown"})";

struct RuleRow {
    const char* name;
    std::vector<std::string> before; // sent first; their answers are not looked at
    std::string message;
    json expectedId;
    int expectedError; // 0: a result
};

const RuleRow kRules[] = {
    {"RequestBeforeInitialize",
     {},
     R"({"jsonrpc":"2.0","id":7,"method":"echo","params":{"value":1}})",
     7,
     rpc::kServerNotInitialized},
    {"Echo", {kInitialize}, R"({"jsonrpc":"2.0","id":"s","method":"echo","params":{"value":1}})", "s", 0},
    {"UnknownMethod",
     {kInitialize},
     R"({"jsonrpc":"2.0","id":3,"method":"nothing/here"})",
     3,
     rpc::kMethodNotFound},
    {"MalformedJson", {kInitialize}, R"({"jsonrpc":"2.0","id":3,"method":)", nullptr, rpc::kParseError},
    {"InvalidUtf8",
     {kInitialize},
     "{\"jsonrpc\":\"2.0\",\"id\":3,\"method\":\"echo\",\"params\":{\"value\":\"\xE9\"}}",
     nullptr,
     rpc::kParseError},
    {"NotAnObject", {kInitialize}, "[1,2]", nullptr, rpc::kInvalidRequest},
    {"MethodNotAString", {kInitialize}, R"({"jsonrpc":"2.0","id":4,"method":5})", 4, rpc::kInvalidRequest},
    {"WrongParams",
     {kInitialize},
     R"({"jsonrpc":"2.0","id":5,"method":"echo","params":{}})",
     5,
     rpc::kInvalidParams},
    {"SecondInitialize", {kInitialize}, kInitialize, 1, rpc::kInvalidRequest},
    {"AfterShutdown",
     {kInitialize, kShutdown},
     R"({"jsonrpc":"2.0","id":6,"method":"echo","params":{"value":1}})",
     6,
     rpc::kInvalidRequest},
};

class RuleTable : public ::testing::TestWithParam<RuleRow> {};

TEST_P(RuleTable, AnswersAsTheProtocolSays) {
    const RuleRow& row = GetParam();
    Wire wire;
    for (const std::string& message : row.before)
        wire.dispatcher.Dispatch(message);
    const std::size_t earlier = wire.Written().size();
    EXPECT_EQ(wire.dispatcher.Dispatch(row.message), Dispatcher::Outcome::Continue);
    const std::vector<json> written = wire.Written();
    ASSERT_EQ(written.size(), earlier + 1);
    const json& answer = written.back();
    EXPECT_EQ(answer["id"], row.expectedId);
    if (row.expectedError == 0)
        EXPECT_TRUE(answer.contains("result")) << answer;
    else
        EXPECT_EQ(answer["error"]["code"], row.expectedError) << answer;
}

INSTANTIATE_TEST_SUITE_P(Dispatcher, RuleTable, ::testing::ValuesIn(kRules),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Dispatcher, NotificationsAreNeverAnswered) {
    Wire wire;
    wire.dispatcher.Dispatch(
        R"({"jsonrpc":"2.0","method":"note","params":{"a":1}})"); // before initialize: dropped
    wire.dispatcher.Dispatch(kInitialize);
    wire.dispatcher.Dispatch(R"({"jsonrpc":"2.0","method":"note","params":{"a":2}})");
    wire.dispatcher.Dispatch(R"({"jsonrpc":"2.0","method":"$/unknownThing","params":{}})");
    wire.dispatcher.Dispatch(R"({"jsonrpc":"2.0","method":"unknown/notification"})");
    EXPECT_EQ(wire.Written().size(), 1u);
    EXPECT_EQ(wire.notified, std::vector<std::string>{R"({"a":2})"});
}

TEST(Dispatcher, ARequestCancelledBeforeItIsReadIsAnsweredCancelled) {
    Wire wire;
    wire.dispatcher.Dispatch(kInitialize);
    wire.dispatcher.Cancel(9);
    wire.dispatcher.Dispatch(R"({"jsonrpc":"2.0","id":9,"method":"echo","params":{"value":1}})");
    EXPECT_EQ(wire.Written().back()["error"]["code"], rpc::kRequestCancelled);
}

TEST(Dispatcher, ARunningRequestCancelledIsAnsweredCancelledOnce) {
    Wire wire;
    std::optional<Reply> later;
    wire.dispatcher.OnRequest("slow", [&](const json&, Reply reply) { later = reply; });
    wire.dispatcher.Dispatch(kInitialize);
    wire.dispatcher.Dispatch(R"({"jsonrpc":"2.0","id":10,"method":"slow"})");
    wire.dispatcher.Cancel(10);
    later->Result(42);
    later->Result(43);
    const std::vector<json> written = wire.Written();
    ASSERT_EQ(written.size(), 2u);
    EXPECT_EQ(written.back()["error"]["code"], rpc::kRequestCancelled);
}

TEST(Dispatcher, ExitStatusIsZeroOnlyAfterShutdown) {
    Wire quick;
    quick.dispatcher.Dispatch(kInitialize);
    EXPECT_EQ(quick.dispatcher.Dispatch(R"({"jsonrpc":"2.0","method":"exit"})"), Dispatcher::Outcome::Exit);
    EXPECT_EQ(quick.dispatcher.ExitStatus(), 1);
    Wire orderly;
    orderly.dispatcher.Dispatch(kInitialize);
    orderly.dispatcher.Dispatch(kShutdown);
    EXPECT_EQ(orderly.dispatcher.Dispatch(R"({"jsonrpc":"2.0","method":"exit"})"), Dispatcher::Outcome::Exit);
    EXPECT_EQ(orderly.dispatcher.ExitStatus(), 0);
}

TEST(Dispatcher, AnswersToTheServersRequestsReachTheirHandler) {
    Wire wire;
    json seen;
    wire.connection.Request("workspace/configuration", {},
                            [&](const json& result, const json*) { seen = result; });
    const json request = wire.Written().back();
    wire.dispatcher.Dispatch(json{{"jsonrpc", "2.0"}, {"id", request["id"]}, {"result", {1, 2}}}.dump());
    EXPECT_EQ(seen, json({1, 2}));
}

} // namespace
