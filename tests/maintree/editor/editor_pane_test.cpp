#include "app_dir_fixture.h"
#include "varko/maintree/editor/editor_pane.h"
#include "varko/maintree/editor/editor_text.h"
#include "varko/maintree/editor/file_error.h"

#include <QTest>

#include <sys/stat.h>

namespace varko::maintree {
namespace {

using testing::AppDirFixture;

struct LineCase {
    const char* name;
    QByteArray file;
    QStringList lines;
    QByteArray saved;
};

const LineCase kLineCases[] = {
    {"empty", "", {}, ""},
    {"one line, no break", "abc", {"abc"}, "abc"},
    {"CR LF with final break", "a\r\nbb\r\n", {"a", "bb"}, "a\r\nbb\r\n"},
    {"LF without final break", "a\nbb", {"a", "bb"}, "a\r\nbb"},
    {"CR with final break", "a\rbb\r", {"a", "bb"}, "a\r\nbb\r\n"},
    {"CR CR is an empty line", "a\r\rb", {"a", "", "b"}, "a\r\n\r\nb"},
    {"LF CR is two breaks", "a\n\r", {"a", ""}, "a\r\n\r\n"},
    {"mixed breaks", "x\r\ny\nz\rw", {"x", "y", "z", "w"}, "x\r\ny\r\nz\r\nw"},
    {"only a break", "\r\n", {""}, "\r\n"},
};

class EditorFiles : public AppDirFixture {
protected:
    EditorPane m_editor;
};

TEST_F(EditorFiles, LineOperationsFollowTheTextsLines) {
    for (const LineCase& row : kLineCases) {
        SCOPED_TRACE(row.name);
        WriteFile(PathOf("in.odf"), row.file);
        m_editor.loadFromFile(PathOf("in.odf"));
        EXPECT_EQ(m_editor.lineCount(), row.lines.size());
        EXPECT_EQ(m_editor.lines(), row.lines);
        int start = 0;
        for (int i = 0; i < row.lines.size(); ++i) {
            EXPECT_EQ(m_editor.lineText(i), row.lines[i]) << "line " << i;
            EXPECT_EQ(m_editor.startOfLine(i), start) << "line " << i;
            EXPECT_EQ(m_editor.lineOfPosition(start), i) << "line " << i;
            start += row.lines[i].size() + 1;
        }
        EXPECT_EQ(m_editor.lineText(row.lines.size() + 1), QString());
        EXPECT_EQ(m_editor.startOfLine(row.lines.size() + 1), -1);
        EXPECT_EQ(m_editor.startOfLine(-1), -1);
        m_editor.saveToFile(PathOf("out.odf"));
        EXPECT_EQ(ReadFile(PathOf("out.odf")), row.saved);
    }
}

TEST_F(EditorFiles, EveryByteComesBackUnchanged) {
    QByteArray line;
    for (int byte = 0; byte < 256; ++byte) {
        if (byte != '\r' && byte != '\n')
            line += static_cast<char>(byte);
    }
    const QByteArray file = line + "\r\n" + line + "\r\n";
    WriteFile(PathOf("bytes.odf"), file);
    m_editor.loadFromFile(PathOf("bytes.odf"));
    EXPECT_EQ(m_editor.lineCount(), 2);
    EXPECT_EQ(m_editor.lineText(0).size(), line.size());
    m_editor.saveToFile(PathOf("bytes.odf"));
    EXPECT_EQ(ReadFile(PathOf("bytes.odf")), file);
}

TEST_F(EditorFiles, CharactersWithoutAByteAreWrittenAsQuestionMarks) {
    EXPECT_EQ(EncodeLines({QString::fromUtf8("\xe2\x82\xac 1"), "x"}), QByteArray("? 1\r\nx"));
}

TEST_F(EditorFiles, ReplaceLineKeepsTheOtherLinesAndBreaks) {
    struct Row {
        const char* name;
        int index;
        QByteArray saved;
    };
    const Row rows[] = {
        {"middle line", 1, "a\r\nXYZ\r\nc\r\n"},
        {"last line", 2, "a\r\nbb\r\nXYZ\r\n"},
        {"negative index", -1, "a\r\nbb\r\nc\r\n"},
        {"past the text", 7, "a\r\nbb\r\nc\r\n"},
    };
    for (const Row& row : rows) {
        WriteFile(PathOf("r.odf"), "a\nbb\nc\n");
        m_editor.loadFromFile(PathOf("r.odf"));
        m_editor.replaceLine(row.index, "XYZ");
        m_editor.saveToFile(PathOf("r.odf"));
        EXPECT_EQ(ReadFile(PathOf("r.odf")), row.saved) << row.name;
    }
}

TEST_F(EditorFiles, LongLinesAreCutAndWrappedLinesStayWhole) {
    const QByteArray longLine(5000, 'x');
    WriteFile(PathOf("long.odf"), longLine + "\r\nshort");
    m_editor.resize(200, 200);
    m_editor.setWordWrap(true);
    m_editor.show();
    m_editor.loadFromFile(PathOf("long.odf"));
    EXPECT_EQ(m_editor.lineText(0).size(), 4096);
    EXPECT_EQ(m_editor.lineCount(), 2);
    EXPECT_EQ(m_editor.lineOfPosition(4999), 0);
    EXPECT_EQ(m_editor.lineOfPosition(5001), 1);
    EXPECT_EQ(m_editor.lineText(1), "short");
}

TEST_F(EditorFiles, UnreadableFilesRaiseTheirMessage) {
    // A pipe is refused at once instead of waiting for a writer; a device is never read.
    ASSERT_EQ(::mkfifo(QFile::encodeName(PathOf("pipe.odf")).constData(), 0600), 0);
    for (const QString& path :
         {PathOf("missing.odf"), PathOf(""), PathOf("pipe.odf"), QStringLiteral("/dev/zero")}) {
        try {
            m_editor.loadFromFile(path);
            ADD_FAILURE() << "no failure for " << path.toStdString();
        } catch (const FileError& failure) {
            EXPECT_EQ(QString::fromStdString(failure.what()), "Cannot open file " + path);
        }
    }
}

TEST_F(EditorFiles, ModifiedFlagFollowsTheUsersEdits) {
    WriteFile(PathOf("m.odf"), "a = 1\r\n");
    m_editor.loadFromFile(PathOf("m.odf"));
    EXPECT_FALSE(m_editor.isModified());
    m_editor.setFontSize(20);
    m_editor.setFontName("Monospace");
    EXPECT_FALSE(m_editor.isModified());
    QTest::keyClicks(&m_editor, "b");
    EXPECT_TRUE(m_editor.isModified());
    m_editor.clearModified();
    m_editor.undo();
    EXPECT_TRUE(m_editor.isModified());
    m_editor.clearText();
    EXPECT_FALSE(m_editor.isModified());
    EXPECT_EQ(m_editor.toPlainText(), QString());
}

// Colouring changes no character: a loaded file stays unmodified until the user edits it, also
// when the edit leaves as many characters as it takes away.
TEST_F(EditorFiles, ColouringIsNoEdit) {
    WriteFile(PathOf("c.odf"), "[GameObjectClass]\r\n// note\r\nunitName = \"Tank\"\r\n#include \"base.odf\"\r\n");
    m_editor.show();
    m_editor.setDocumentKind(maintree::DocumentKind::Odf);
    m_editor.loadFromFile(PathOf("c.odf"));
    QTRY_VERIFY(m_editor.isHighlightingDone());
    m_editor.setDocumentKind(maintree::DocumentKind::TechTree);
    QTRY_VERIFY(m_editor.isHighlightingDone());
    EXPECT_FALSE(m_editor.isModified());
    QTextCursor cursor(m_editor.document());
    cursor.setPosition(1);
    cursor.setPosition(2, QTextCursor::KeepAnchor);
    m_editor.setTextCursor(cursor);
    QTest::keyClicks(&m_editor, "X");
    EXPECT_TRUE(m_editor.isModified());
}

TEST_F(EditorFiles, EnterAndShiftEnterBothBreakTheLine) {
    QTest::keyClicks(&m_editor, "a");
    QTest::keyClick(&m_editor, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(&m_editor, "b");
    QTest::keyClick(&m_editor, Qt::Key_Return);
    QTest::keyClick(&m_editor, Qt::Key_Tab);
    EXPECT_EQ(m_editor.lines(), QStringList({"a", "b", "\t"}));
}

} // namespace
} // namespace varko::maintree
