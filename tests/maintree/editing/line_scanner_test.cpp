#include "qstring_printer.h"
#include "style_marks.h"
#include "varko/maintree/editing/document_kind.h"
#include "varko/maintree/editing/line_scanner.h"

#include <gtest/gtest.h>

#include <string_view>

namespace varko::maintree {
namespace {

using namespace std::literals;
using testing::StyleMarks;

struct ScanCase {
    const char* name;
    std::u16string_view line;
    std::u16string_view marks;
};

const ScanCase kOdfCases[] = {
    {"section", u"[GameObjectClass]", u"SSSSSSSSSSSSSSSSS"},
    {"section with a comment", u"[Weapon] // guns", u"SSSSSSSS CCCCCCC"},
    {"section without its bracket", u"[open", u"SSSSS"},
    {"comment line", u"// weapons = 1", u"CCCCCCCCCCCCCC"},
    {"integer", u"maxHealth = 4500", u"PPPPPPPPP   NNNN"},
    {"real with f", u"buildTime = 12.5f", u"PPPPPPPPP   NNNNN"},
    {"capital F is no number", u"Name = 1.5F", u"PPPP       "},
    {"quoted text", u"unitName = \"Heavy Tank\"", u"PPPPPPPP   QQQQQQQQQQQQ"},
    {"quoted file name", u"geometryName = \"tank00.msh\"", u"PPPPPPPPPPPP   FFFFFFFFFFFF"},
    {"file name, extension in capitals, comment after", u"skin = hull.TGA // default skin",
     u"PPPP   FFFFFFFF CCCCCCCCCCCCCCC"},
    {"several values", u"weaponHard1 = \"gun\" 1, gun.odf", u"PPPPPPPPPPP   QQQQQ N  FFFFFFF"},
    {"number forms", u"v = -0.25 0x1F $ff 1e3 .5 5. 007", u"P   NNNNN NNNN NNN           NNN"},
    {"comment marks inside quotes", u"text = \"a // b\" // note", u"PPPP   QQQQQQQQ CCCCCCC"},
    {"slashes inside a token are no comment", u"url = a//b", u"PPP       "},
    {"unknown word stays plain", u"aiName = TankProcess", u"PPPPPP              "},
    {"doubled quote inside quotes", u"a = \"x\"\"y\" 2", u"P   QQQQQQ N"},
    {"unclosed quote runs to the end", u"path = \"unclosed.odf", u"PPPP   FFFFFFFFFFFFF"},
    {"empty token between commas", u"list = a,,b.wav", u"PPPP      FFFFF"},
    {"name without a value", u"name =", u"PPPP  "},
    {"equals without blanks is no property", u"bad=1", u"     "},
    {"only the first equals counts", u"na=me = 1", u"        N"},
    {"include", u"#include \"other.odf\"", u"IIIIIIII FFFFFFFFFFF"},
    {"include with a tab is no include", u"#include\tother.odf", u"         FFFFFFFFF"},
    {"continuation line", u"\tb, 1.5, c.sod", u"    NNN  FFFFF"},
    {"indented line has no property", u"   more = 5", u"          N"},
    {"a NUL ends the values", u"x = 1\0 // z"sv, u"P   N      "},
    {"empty line", u"", u""},
};

const ScanCase kTechTreeCases[] = {
    {"entry", u"tank.odf 2 gun.odf, armor.odf", u"OOOOOOOO N FFFFFFF  FFFFFFFFF"},
    {"comment line", u"// a comment", u"CCCCCCCCCCCC"},
    {"count that is no number", u"a.odf x b.odf", u"OOOOO   FFFFF"},
    {"leading blanks", u"  a.odf 0", u"  OOOOO N"},
    {"quoted object", u"\"quoted name.odf\" 1 b.odf", u"OOOOOOOOOOOOOOOOO N FFFFF"},
    {"comment after the entry", u"a.odf 1 b.odf // extra", u"OOOOO N FFFFF CCCCCCCC"},
    {"object without an extension", u"unit 0", u"OOOO N"},
    {"requirement without an extension", u"a.odf 1 gun", u"OOOOO N FFF"},
};

void ExpectScans(const ScanCase& row, DocumentKind kind) {
    SCOPED_TRACE(row.name);
    const QStringView line(row.line);
    EXPECT_EQ(StyleMarks(ScanLine(line, kind), line.size()), QStringView(row.marks).toString())
        << "line: " << line.toString().toStdString();
}

TEST(LineScanner, StylesObjectDefinitionLines) {
    for (const ScanCase& row : kOdfCases)
        ExpectScans(row, DocumentKind::Odf);
}

TEST(LineScanner, StylesTechTreeLines) {
    for (const ScanCase& row : kTechTreeCases)
        ExpectScans(row, DocumentKind::TechTree);
}

TEST(LineScanner, SpansAreOrderedAndApart) {
    for (const ScanCase& row : kOdfCases) {
        SCOPED_TRACE(row.name);
        qsizetype end = 0;
        for (const StyledSpan& span : ScanLine(QStringView(row.line), DocumentKind::Odf)) {
            EXPECT_GE(span.start, end);
            EXPECT_GT(span.length, 0);
            end = span.start + span.length;
        }
        EXPECT_LE(end, static_cast<qsizetype>(row.line.size()));
    }
}

struct StretchCase {
    const char* name;
    std::u16string_view line;
    int column;
    qsizetype start;
    qsizetype end;
};

const StretchCase kStretchCases[] = {
    {"column 1 is the whole line", u"abc = missing.odf 2", 1, 0, 19},
    {"no column", u"abc = missing.odf 2", 0, 0, 19},
    {"token in the middle", u"abc = missing.odf 2", 7, 6, 17},
    {"last token", u"abc = missing.odf 2", 19, 18, 19},
    {"inside a token: from there to its end", u"abc = missing.odf 2", 9, 8, 17},
    {"past the text is the whole line", u"abc = missing.odf 2", 40, 0, 19},
    {"quoted token", u"s = \"a b\" x", 5, 4, 9},
    {"token ended by a comma", u"a = b.odf,c.odf", 5, 4, 9},
    {"on a blank: up to the next token's end", u"abc = x", 4, 3, 5},
    {"blanks to the end", u"abc   ", 4, 3, 6},
    {"empty line", u"", 1, 0, 0},
};

TEST(LineScanner, FaultStretchIsTheTokenAtTheColumn) {
    for (const StretchCase& row : kStretchCases) {
        SCOPED_TRACE(row.name);
        const FaultStretch stretch = FaultStretchAt(QStringView(row.line), row.column);
        EXPECT_EQ(stretch.start, row.start);
        EXPECT_EQ(stretch.end, row.end);
    }
}

struct KindCase {
    const char* fileName;
    DocumentKind kind;
};

const KindCase kKindCases[] = {
    {"tree.tt", DocumentKind::TechTree},
    {"/mods/my mod/tree.tt", DocumentKind::TechTree},
    {"TREE.TT", DocumentKind::Odf},
    {"tank.odf", DocumentKind::Odf},
    {"tree.tt.bak", DocumentKind::Odf},
    {"dir.tt/file", DocumentKind::Odf},
    {"", DocumentKind::Odf},
};

TEST(DocumentKind, OnlyTheExactExtensionTtIsATechTree) {
    for (const KindCase& row : kKindCases) {
        SCOPED_TRACE(row.fileName);
        EXPECT_EQ(DocumentKindOfFile(QString::fromUtf8(row.fileName)), row.kind);
    }
}

} // namespace
} // namespace varko::maintree
