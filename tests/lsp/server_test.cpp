// The real varko-lsp spoken to over its pipes: the sample mod's diagnostics against varko-check's,
// edits, files that appear on disk, the language features, the whole-mod check, varko.ini, and the
// protocol's rules at the edge of the process.
#include "child_process.h"
#include "lsp_process.h"
#include "test_dirs.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

const fs::path kExamples = fs::path(VARKO_SOURCE_DIR) / "examples";

std::string Uri(const fs::path& path) {
    return "file://" + path.string();
}

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

json Initialize(LspProcess& server, const fs::path& folder, json options,
                json capabilities = json::object()) {
    const int id =
        server.Request("initialize", {{"processId", nullptr},
                                      {"rootUri", Uri(folder)},
                                      {"workspaceFolders", {{{"uri", Uri(folder)}, {"name", "mod"}}}},
                                      {"capabilities", std::move(capabilities)},
                                      {"initializationOptions", std::move(options)}});
    json response = server.Response(id);
    server.Notify("initialized", json::object());
    return response;
}

std::string Open(LspProcess& server, const fs::path& path, const std::string& text, int version = 1) {
    const std::string uri = Uri(path);
    server.Notify(
        "textDocument/didOpen",
        {{"textDocument", {{"uri", uri}, {"languageId", "odf"}, {"version", version}, {"text", text}}}});
    return uri;
}

// (line, message) of each diagnostic, lines 1-based as varko-check gives them.
std::multiset<std::pair<int, std::string>> Seen(const json& diagnostics) {
    std::multiset<std::pair<int, std::string>> seen;
    for (const json& d : diagnostics)
        seen.emplace(d["range"]["start"]["line"].get<int>() + 1, d["message"].get<std::string>());
    return seen;
}

json Shutdown(LspProcess& server) {
    json answer = server.Response(server.Request("shutdown", nullptr));
    server.Notify("exit", nullptr);
    return answer;
}

const json kExampleOptions = {{"addonDirs", {"addon"}}, {"sodDirs", {"sod"}}, {"extraChecks", true}};

TEST(LspServer, TheSampleModGivesVarkoChecksMessagesOnTheSameLines) {
    ChildRun check = RunChild(
        {VARKO_CHECK_EXE, "--extra", "--addon", "addon", "--sod", "sod", "--format", "json", "addon"},
        {kExamples.string(), {}, std::chrono::seconds(60)});
    ASSERT_EQ(check.exitStatus, 1) << check.err;
    std::map<std::string, std::multiset<std::pair<int, std::string>>> expected;
    for (const json& finding : json::parse(check.out)) {
        const std::string text = finding["message"];
        expected[fs::path(finding["file"].get<std::string>()).filename()].emplace(
            finding["line"], text.substr(text.find(": ") + 2));
    }
    LspProcess server({VARKO_LSP_EXE, "--stdio"});
    ASSERT_EQ(Initialize(server, kExamples, kExampleOptions)["result"]["capabilities"]["positionEncoding"],
              "utf-16");
    for (const auto& entry : fs::directory_iterator(kExamples / "addon")) {
        const std::string uri = Open(server, entry.path(), Read(entry.path()));
        EXPECT_EQ(Seen(server.Diagnostics(uri)), expected[entry.path().filename()]) << entry.path();
    }
    EXPECT_FALSE(expected.empty());
    EXPECT_TRUE(Shutdown(server).contains("result"));
    EXPECT_EQ(server.Wait(), 0);
}

TEST(LspServer, EditsAreCheckedAgainAndACloseClears) {
    ScratchDir dir;
    LspProcess server({VARKO_LSP_EXE});
    Initialize(server, dir.path(), json::object(), {{"general", {{"positionEncodings", {"utf-8"}}}}});
    const std::string uri = Open(server, dir.path() / "a.odf", "// a comment\r\nnonsense\r\n");
    const json first = server.Diagnostics(uri);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0]["code"], "M1");
    EXPECT_EQ(first[0]["source"], "varko");
    // Replace "nonsense" by a second unknown line one line further down.
    server.Notify(
        "textDocument/didChange",
        {{"textDocument", {{"uri", uri}, {"version", 2}}},
         {"contentChanges",
          {{{"range", {{"start", {{"line", 1}, {"character", 0}}}, {"end", {{"line", 1}, {"character", 8}}}}},
            {"text", "\r\nengine roar"}}}}});
    const std::optional<json> second = server.WaitFor([&](const json& m) {
        return m.value("method", "") == "textDocument/publishDiagnostics" &&
               m["params"].value("version", 0) == 2;
    });
    ASSERT_TRUE(second);
    EXPECT_EQ(Seen((*second)["params"]["diagnostics"]),
              (std::multiset<std::pair<int, std::string>>{{3, "Error - Unknown command: engine roar"}}));
    server.Notify("textDocument/didClose", {{"textDocument", {{"uri", uri}}}});
    EXPECT_EQ(server.Diagnostics(uri), json::array());
}

TEST(LspServer, AFileThatAppearsOnDiskClearsTheStaleDiagnostic) {
    ScratchDir dir;
    LspProcess server({VARKO_LSP_EXE});
    Initialize(server, dir.path(), json::object());
    const std::string uri = Open(server, dir.path() / "a.odf", "#include \"late.odf\"\r\n");
    ASSERT_EQ(server.Diagnostics(uri).size(), 1u);
    dir.Touch("late.odf", "hp = 1\r\n");
    // No didChangeWatchedFiles: the server notices by itself.
    EXPECT_EQ(server.Diagnostics(uri), json::array());
}

TEST(LspServer, LanguageFeaturesAnswerFromTheCore) {
    LspProcess server({VARKO_LSP_EXE});
    Initialize(server, kExamples, kExampleOptions);
    const fs::path tank = kExamples / "addon" / "tank.odf";
    const std::string uri =
        Open(server, tank, "#include \"unitbase.odf\"\r\nunitN\r\nmaxAmmo=40\r\nunitName = \"x\"\r\n");
    const json diagnostics = server.Diagnostics(uri);
    auto ask = [&](const char* method, json params) {
        params["textDocument"] = {{"uri", uri}};
        return server.Response(server.Request(method, std::move(params)))["result"];
    };
    const json completion = ask("textDocument/completion", {{"position", {{"line", 1}, {"character", 5}}}});
    ASSERT_FALSE(completion["items"].empty());
    EXPECT_EQ(completion["items"][0]["label"], "unitName");
    EXPECT_EQ(completion["items"][0]["detail"], "string");
    const json hover = ask("textDocument/hover", {{"position", {{"line", 3}, {"character", 2}}}});
    EXPECT_NE(hover["contents"]["value"].get<std::string>().find("unitName: string"), std::string::npos)
        << hover;
    const json definition = ask("textDocument/definition", {{"position", {{"line", 0}, {"character", 12}}}});
    EXPECT_EQ(definition["uri"], Uri(kExamples / "addon" / "unitbase.odf"));
    const json actions = ask("textDocument/codeAction", {{"range", diagnostics[0]["range"]},
                                                         {"context", {{"diagnostics", diagnostics}}}});
    ASSERT_FALSE(actions.empty()) << diagnostics;
    EXPECT_EQ(actions[0]["kind"], "quickfix");
    EXPECT_TRUE(actions[0]["edit"]["changes"].contains(uri));
    const json symbols = ask("textDocument/documentSymbol", json::object());
    EXPECT_EQ(symbols[0]["name"], "tank.odf");
    const json files = server.Response(server.Request("workspace/symbol", {{"query", "UNITB"}}))["result"];
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0]["name"], "unitbase.odf");
    const std::string base =
        Open(server, kExamples / "addon" / "unitbase.odf", Read(kExamples / "addon" / "unitbase.odf"));
    const json references = server.Response(
        server.Request("textDocument/references", {{"textDocument", {{"uri", base}}},
                                                   {"position", {{"line", 0}, {"character", 0}}},
                                                   {"context", json::object()}}))["result"];
    std::set<std::string> naming;
    for (const json& place : references)
        naming.insert(fs::path(place["uri"].get<std::string>()).filename());
    EXPECT_TRUE(naming.contains("tank.odf") && naming.contains("scout.odf")) << references;
}

TEST(LspServer, CheckModReportsProgressAndPublishesEveryFaultyFile) {
    LspProcess server({VARKO_LSP_EXE});
    Initialize(server, kExamples, kExampleOptions, {{"window", {{"workDoneProgress", true}}}});
    const json result = server.Response(server.Request(
        "workspace/executeCommand", {{"command", "varko.checkMod"}, {"arguments", json::array()}}))["result"];
    EXPECT_EQ(result["files"], 11);
    std::set<std::string> kinds, published;
    for (const json& message : server.seen) {
        if (message.value("method", "") == "$/progress")
            kinds.insert(message["params"]["value"]["kind"].get<std::string>());
        if (message.value("method", "") == "textDocument/publishDiagnostics")
            published.insert(fs::path(message["params"]["uri"].get<std::string>()).filename());
    }
    EXPECT_TRUE(kinds.contains("begin") && kinds.contains("end"));
    EXPECT_TRUE(published.contains("faulty.odf") && published.contains("faulty_tree.tt"));
    EXPECT_FALSE(published.contains("power.odf"));
}

TEST(LspServer, ABrokenProjectFileIsShownAndTheServerGoesOn) {
    ScratchDir dir;
    dir.Touch("varko.ini", "[Dirs]\r\nAdon=addon\r\n");
    LspProcess server({VARKO_LSP_EXE});
    Initialize(server, dir.path(), json::object());
    const std::optional<json> shown =
        server.WaitFor([](const json& m) { return m.value("method", "") == "window/showMessage"; });
    ASSERT_TRUE(shown);
    EXPECT_EQ((*shown)["params"]["type"], 1);
    EXPECT_EQ((*shown)["params"]["message"],
              (dir.path() / "varko.ini").string() + ":2: unknown key Adon in [Dirs]");
    const std::string uri = Open(server, dir.path() / "a.odf", "nonsense\r\n");
    EXPECT_EQ(server.Diagnostics(uri).size(), 1u);
}

TEST(LspServer, TheProtocolsRulesHoldAtTheProcessEdge) {
    LspProcess server({VARKO_LSP_EXE});
    EXPECT_EQ(server.Response(server.Request("textDocument/hover", json::object()))["error"]["code"], -32002);
    Initialize(server, kExamples, json::object());
    server.SendRaw("Content-Length: nope\r\n\r\n{}");                     // no valid length
    server.SendRaw("Content-Length: 99999999999\r\n\r\n");                // over the limit: read past
    server.SendRaw(Framed("{\"jsonrpc\":\"2.0\",\"id\":50,\"method\":")); // not JSON
    server.SendRaw(Framed(
        "{\"jsonrpc\":\"2.0\",\"id\":51,\"method\":\"workspace/symbol\",\"params\":{\"query\":\"\xE9\"}}"));
    server.CloseInput(); // the oversized message swallows the rest: the input ends inside it
    EXPECT_EQ(server.Wait(), 1);
    ASSERT_FALSE(server.WaitFor([](const json& m) { return m.value("id", json()) == 51; },
                                std::chrono::milliseconds(100)));
    EXPECT_NE(server.errors.find("header without a valid Content-Length"), std::string::npos)
        << server.errors;
    EXPECT_NE(server.errors.find("over the 64 MiB limit"), std::string::npos) << server.errors;
}

TEST(LspServer, MalformedMessagesAreAnsweredAndTheServerGoesOn) {
    LspProcess server({VARKO_LSP_EXE});
    Initialize(server, kExamples, json::object());
    server.SendRaw(Framed("{\"jsonrpc\":\"2.0\",\"id\":50,\"method\":"));
    server.SendRaw(Framed(
        "{\"jsonrpc\":\"2.0\",\"id\":51,\"method\":\"workspace/symbol\",\"params\":{\"query\":\"\xE9\"}}"));
    server.SendRaw("Content-Length: nope\r\n\r\n{}");
    EXPECT_EQ(server.Response(server.Request("nothing/here", json::object()))["error"]["code"], -32601);
    std::vector<int> parseErrors;
    for (const json& m : server.seen) {
        if (m.contains("error") && m["id"].is_null())
            parseErrors.push_back(m["error"]["code"]);
    }
    EXPECT_EQ(parseErrors, (std::vector<int>{-32700, -32700})); // the second for the bytes that are not UTF-8
}

TEST(LspServer, ExitStatusFollowsShutdown) {
    LspProcess early({VARKO_LSP_EXE});
    Initialize(early, kExamples, json::object());
    early.Notify("exit", nullptr);
    EXPECT_EQ(early.Wait(), 1);
    LspProcess orderly({VARKO_LSP_EXE});
    Initialize(orderly, kExamples, json::object());
    orderly.Send({{"jsonrpc", "2.0"}, {"method", "$/cancelRequest"}, {"params", {{"id", 77}}}});
    orderly.Send(
        {{"jsonrpc", "2.0"}, {"id", 77}, {"method", "workspace/symbol"}, {"params", {{"query", ""}}}});
    EXPECT_EQ(orderly.Response(77)["error"]["code"], -32800);
    EXPECT_EQ(orderly.Response(orderly.Request("shutdown", nullptr)).contains("result"), true);
    EXPECT_EQ(orderly.Response(orderly.Request("workspace/symbol", {{"query", ""}}))["error"]["code"],
              -32600);
    orderly.Notify("exit", nullptr);
    EXPECT_EQ(orderly.Wait(), 0);
    LspProcess ended({VARKO_LSP_EXE});
    ended.CloseInput();
    EXPECT_EQ(ended.Wait(), 1);
}

TEST(LspServer, VersionAndHelp) {
    const ChildRun version = RunChild({VARKO_LSP_EXE, "--version"}, {});
    EXPECT_EQ(version.exitStatus, 0);
    EXPECT_EQ(version.out.rfind("varko-lsp ", 0), 0u);
    const ChildRun help = RunChild({VARKO_LSP_EXE, "--help"}, {});
    EXPECT_EQ(help.out.rfind("varko-lsp - ", 0), 0u);
    EXPECT_NE(help.out.find("--stdio"), std::string::npos);
    EXPECT_EQ(RunChild({VARKO_LSP_EXE, "--bogus"}, {}).exitStatus, 2);
}

} // namespace
