#include "varko/language/script_outline.h"

#include <gtest/gtest.h>

namespace varko::language {
namespace {

using textrules::LineList;

struct Node {
    std::string name;
    int line;
    LineList values;

    bool operator==(const Node&) const = default;
};

void PrintTo(const Node& node, std::ostream* out) {
    *out << node.name << "@" << node.line << " [";
    for (const std::string& value : node.values)
        *out << "<" << value << ">";
    *out << "]";
}

struct OutlineCase {
    const char* name;
    LineList lines;
    std::vector<Node> nodes;
};

const OutlineCase kOutlineCases[] = {
    {"plain values", {"size = big red ship"}, {{"size", 0, {"big", "red", "ship"}}}},
    {"comma list", {"parts = a, b"}, {{"parts", 0, {"a", "b"}}}},
    {"single value and comment glued",
     {"skin = hull // default skin"},
     {{"skin", 0, {"hull", "// default skin"}}}},
    {"comment after two values stays apart",
     {"parts = a, b // guns"},
     {{"parts", 0, {"a", "b", "//", "guns"}}}},
    {"comment as first token stays apart", {"name = // none"}, {{"name", 0, {"//", "none"}}}},
    {"comment text taken from the first occurrence of its token",
     {"a = a//b //"},
     {{"a", 0, {"a//b", "//b //"}}}},
    {"continuation with a tab", {"parts = a,", "\tb"}, {{"parts", 0, {"a", "b"}}}},
    {"continuations up to an empty line", {"a = x", " y", "\tz", "", " w"}, {{"a", 0, {"x", "y", "z"}}}},
    {"continuation up to the next property",
     {"a = x", "  y", "b = z"},
     {{"a", 0, {"x", "y"}}, {"b", 2, {"z"}}}},
    {"continuation appended without a separator", {"a = \"x", " y\""}, {{"a", 0, {"x y"}}}},
    {"glued comment then continuation",
     {"skin = hull // default", "  more"},
     {{"skin", 0, {"hull", "// default", "more"}}}},
    {"no blanks around the sign", {"hp=100"}, {{"h", 0, {"00"}}}},
    {"sign at position 1 or 2", {"=x", "a=b"}, {}},
    {"value past the end of the line", {"ab=c"}, {{"a", 0, {}}}},
    {"nothing after the sign", {"name ="}, {{"name", 0, {}}}},
    {"empty quoted token", {"name = \"\""}, {{"name", 0, {""}}}},
    {"quoted value with blanks", {"title = \"Big ship\", 2"}, {{"title", 0, {"Big ship", "2"}}}},
    {"lines without a sign", {"#include \"base.odf\"", "[GameObjectClass]"}, {}},
    {"passed-over lines", {"", " a = b", "\ta = b", "// a = b", "//"}, {}},
    {"line tags count every line",
     {"// header", "", "a = 1", " 2", "b = 3"},
     {{"a", 2, {"1", "2"}}, {"b", 4, {"3"}}}},
    {"tech-tree entries", {"tank.odf 2 factory.odf armory.odf", "scout.odf 0"}, {}},
    {"empty document", {}, {}},
};

TEST(ScriptOutline, BuildsOneNodePerPropertyLine) {
    for (const OutlineCase& row : kOutlineCases) {
        SCOPED_TRACE(row.name);
        const ScriptOutline outline = BuildScriptOutline(row.lines, "ship.odf");
        std::vector<Node> nodes;
        for (const OutlineProperty& property : outline.properties)
            nodes.push_back({property.name, property.line, property.values});
        EXPECT_EQ(nodes, row.nodes);
        EXPECT_EQ(outline.root, "ship.odf");
    }
}

TEST(DocumentOutline, IsTheSameHierarchyAsATree) {
    for (const OutlineCase& row : kOutlineCases) {
        SCOPED_TRACE(row.name);
        const OutlineEntry document = DocumentOutline(row.lines, "/mod/ship.odf");
        EXPECT_EQ(document.name, "ship.odf");
        EXPECT_EQ(document.kind, OutlineKind::Document);
        std::vector<Node> nodes;
        for (const OutlineEntry& property : document.children) {
            EXPECT_EQ(property.kind, OutlineKind::Property);
            nodes.push_back({property.name, property.line, {}});
            for (const OutlineEntry& value : property.children) {
                EXPECT_EQ(value.kind, OutlineKind::Value);
                EXPECT_EQ(value.line, property.line);
                nodes.back().values.push_back(value.name);
            }
        }
        EXPECT_EQ(nodes, row.nodes);
    }
}

TEST(ScriptOutline, RootIsTheFileNamePartOfTheDocument) {
    const struct {
        const char* currentFile;
        const char* root;
    } rows[] = {
        {"/home/modder/addon/ship.odf", "ship.odf"},
        {"Untitled.tt", "Untitled.tt"},
        {"", "Untitled ODF"},
        {"relative/dir/tree.tt", "tree.tt"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(BuildScriptOutline({"a = b"}, row.currentFile).root, row.root) << row.currentFile;
}

} // namespace
} // namespace varko::language
