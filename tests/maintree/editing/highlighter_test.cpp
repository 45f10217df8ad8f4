#include "editor_fixture.h"
#include "qstring_printer.h"
#include "style_marks.h"
#include "varko/maintree/editing/text_formats.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace varko::maintree {
namespace {

using testing::EditorFixture;
using testing::FormatMarks;

struct ColourCase {
    const char* name;
    DocumentKind kind;
    // One line of text, then its expected styles, for each line of the document.
    std::vector<std::pair<QString, QString>> lines;
};

const ColourCase kColourCases[] = {
    {"object definitions",
     DocumentKind::Odf,
     {
         {"[GameObjectClass]", "SSSSSSSSSSSSSSSSS"},
         {"// weapons", "CCCCCCCCCC"},
         {"", ""},
         {"maxHealth = 4500 // hp", "PPPPPPPPP   NNNN CCCCC"},
         {"unitName = \"Heavy Tank\"", "PPPPPPPP   QQQQQQQQQQQQ"},
         {"#include \"other.odf\"", "IIIIIIII FFFFFFFFFFF"},
         {"\tb, c.sod", "    FFFFF"},
     }},
    {"tech tree",
     DocumentKind::TechTree,
     {
         {"tank.odf 2 gun.odf armor.odf", "OOOOOOOO N FFFFFFF FFFFFFFFF"},
         {"// not allowed", "CCCCCCCCCCCCCC"},
         {"a.odf x", "OOOOO  "},
     }},
};

QString TextOf(const ColourCase& row) {
    QStringList text;
    for (const auto& [line, marks] : row.lines)
        text << line;
    return text.join(QLatin1Char('\n'));
}

class Highlighting : public EditorFixture {
protected:
    // The styles the highlighter left on each line, drawn with the editor's own formats.
    QStringList ShownMarks() const {
        const TextFormats formats(m_editor.palette());
        QStringList marks;
        for (QTextBlock block = m_editor.document()->begin(); block.isValid(); block = block.next())
            marks << FormatMarks(block, formats);
        return marks;
    }
};

TEST_F(Highlighting, ColoursEachLineByItsKind) {
    for (const ColourCase& row : kColourCases) {
        SCOPED_TRACE(row.name);
        m_editor.setDocumentKind(row.kind);
        Load(TextOf(row));
        QStringList expected;
        for (const auto& [line, marks] : row.lines)
            expected << marks;
        EXPECT_EQ(ShownMarks(), expected);
    }
}

TEST_F(Highlighting, ChangingTheKindColoursTheLinesAgain) {
    Load(QStringLiteral("tank 2 gun.odf"));
    EXPECT_EQ(ShownMarks(), QStringList{"     N FFFFFFF"});
    m_editor.setDocumentKind(DocumentKind::TechTree);
    Settle();
    EXPECT_EQ(ShownMarks(), QStringList{"OOOO N FFFFFFF"});
}

TEST_F(Highlighting, ANewPaletteGivesNewColours) {
    Load(QStringLiteral("maxHealth = 4500"));
    QPalette dark = m_editor.palette();
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Text, QColor(220, 220, 220));
    m_editor.setPalette(dark);
    Settle();
    EXPECT_EQ(ShownMarks(), QStringList{"PPPPPPPPP   NNNN"});
    // The colours of the palette before no longer match.
    EXPECT_EQ(FormatMarks(Block(1), TextFormats(QPalette())), "?????????   ????");
}

TEST_F(Highlighting, TypedTextIsColouredBeforeThePaint) {
    m_editor.setFocus();
    QTest::keyClicks(&m_editor, QStringLiteral("range = 150"));
    EXPECT_EQ(FormatMarks(Block(1), TextFormats(m_editor.palette())), "PPPPP   NNN");
    QTest::keyClick(&m_editor, Qt::Key_Return);
    QTest::keyClicks(&m_editor, QStringLiteral("// x"));
    EXPECT_EQ(FormatMarks(Block(2), TextFormats(m_editor.palette())), "CCCC");
}

std::unique_ptr<QTextDocument> PlainDocument(const QString& text) {
    auto document = std::make_unique<QTextDocument>();
    document->setDocumentLayout(new QPlainTextDocumentLayout(document.get()));
    document->setPlainText(text);
    return document;
}

// Documents the test owns, as an owner that keeps several documents would.
TEST_F(Highlighting, ABoundDocumentIsColouredAndMarkedAfresh) {
    const auto first = PlainDocument(QStringLiteral("maxHealth = 4500"));
    const auto second = PlainDocument(QStringLiteral("[Weapon]\nrange = 150"));
    m_editor.setDocument(first.get());
    m_editor.bindDocument();
    Settle();
    m_editor.setFindings({testing::FindingAt(1, 1, "M1", {"maxHealth"})});
    EXPECT_EQ(ShownMarks(), QStringList{"PPPPPPPPP   NNNN"});
    m_editor.setDocument(second.get());
    EXPECT_EQ(m_editor.faultTextAtCaret(), "");
    // Colouring goes on in the bound document while the editor shows the other one.
    m_editor.setDocumentKind(DocumentKind::TechTree);
    Settle();
    m_editor.setDocumentKind(DocumentKind::Odf);
    m_editor.bindDocument();
    Settle();
    EXPECT_EQ(ShownMarks(), (QStringList{"SSSSSSSS", "PPPPP   NNN"}));
    EXPECT_EQ(m_editor.faultMarkCount(), 0);
    // The document left behind keeps its text but loses its colours.
    EXPECT_EQ(first->toPlainText(), "maxHealth = 4500");
    EXPECT_EQ(FormatMarks(first->begin(), TextFormats(m_editor.palette())), "                ");
    m_editor.setDocument(nullptr);
    m_editor.bindDocument();
}

QString LargeDocument(int lines) {
    QStringList text;
    for (int i = 0; i < lines; ++i)
        text << QStringLiteral("property%1 = %1 // note").arg(i % 1000);
    return text.join(QLatin1Char('\n'));
}

bool IsColoured(const QTextBlock& block) {
    return !block.layout()->formats().isEmpty();
}

TEST_F(Highlighting, ALargeLoadIsColouredLaterAndCompletely) {
    m_editor.setPlainText(LargeDocument(30000));
    EXPECT_FALSE(m_editor.isHighlightingDone());
    Settle();
    const TextFormats formats(m_editor.palette());
    const std::pair<int, QString> expected[] = {
        {1, "PPPPPPPPP   N CCCCCCC"},
        {15000, "PPPPPPPPPPP   NNN CCCCCCC"},
        {30000, "PPPPPPPPPPP   NNN CCCCCCC"},
    };
    for (const auto& [line, marks] : expected) {
        SCOPED_TRACE(line);
        EXPECT_EQ(FormatMarks(Block(line), formats), marks);
    }
}

TEST_F(Highlighting, TheLinesOnScreenComeFirst) {
    m_editor.setPlainText(LargeDocument(60000));
    m_editor.setTextCursor(QTextCursor(Block(50000)));
    m_editor.centerCursor();
    QElapsedTimer clock;
    clock.start();
    while (!IsColoured(Block(50000)) && clock.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    EXPECT_TRUE(IsColoured(Block(50000)));
    EXPECT_TRUE(IsColoured(Block(50005)));
    // The lines before and after the screen wait for their turn.
    EXPECT_FALSE(IsColoured(Block(30000)));
    EXPECT_FALSE(IsColoured(Block(60000)));
    EXPECT_FALSE(m_editor.isHighlightingDone());
}

// Every byte but the line breaks on one line, among lines of every style.
QString EveryByteDocument() {
    QString bytes;
    for (int code = 0; code < 256; ++code) {
        if (code != '\r' && code != '\n')
            bytes += QChar(code);
    }
    return QStringLiteral("[GameObjectClass]\nname = \"a\" 1.5 b.odf // c\n") + bytes + "\n" +
           LargeDocument(2000);
}

TEST_F(Highlighting, NeverChangesTheText) {
    const QString text = EveryByteDocument();
    m_editor.setPlainText(text);
    QTextDocument& document = *m_editor.document();
    // One edit to undo and one to redo, and the modified flag set, so there is state to lose.
    QTextCursor(&document).insertText(QStringLiteral("x = 1\n"));
    QTextCursor(&document).insertText(QStringLiteral("y = 2\n"));
    document.undo();
    const QString raw = document.toRawText();
    const QString plain = m_editor.toPlainText();
    ASSERT_EQ(plain.size(), text.size() + 6);
    ASSERT_TRUE(document.isModified());
    const int undoSteps = document.availableUndoSteps();
    const int redoSteps = document.availableRedoSteps();
    ASSERT_GT(undoSteps, 0);
    ASSERT_GT(redoSteps, 0);
    QSignalSpy changes(&document, &QTextDocument::contentsChange);
    Settle();
    m_editor.setDocumentKind(DocumentKind::TechTree);
    m_editor.setFindings({testing::FindingAt(2, 8, "M3", {"a"})});
    QPalette dark = m_editor.palette();
    dark.setColor(QPalette::Base, Qt::black);
    m_editor.setPalette(dark);
    Settle();
    EXPECT_EQ(document.toRawText(), raw);
    EXPECT_EQ(m_editor.toPlainText(), plain);
    EXPECT_TRUE(document.isModified());
    EXPECT_EQ(document.availableUndoSteps(), undoSteps);
    EXPECT_EQ(document.availableRedoSteps(), redoSteps);
    EXPECT_EQ(changes.count(), 0);
}

} // namespace
} // namespace varko::maintree
