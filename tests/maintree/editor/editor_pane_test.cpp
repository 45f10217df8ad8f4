#include "app_fixture.h"
#include "varko/maintree/editor_pane.h"
#include "varko/maintree/editor_text.h"
#include "varko/maintree/file_error.h"
#include "varko/maintree/status_panels.h"

#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QTest>

#include <sys/stat.h>

namespace varko::maintree {
namespace {

using testing::AppFixture;

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

class EditorFiles : public AppFixture {
protected:
    EditorPane m_editor;
};

TEST_F(EditorFiles, LineOperationsFollowTheTextsLines) {
    for (const LineCase& row : kLineCases) {
        SCOPED_TRACE(row.name);
        WriteFile(PathOf("in.odf"), row.file);
        m_editor.LoadFromFile(PathOf("in.odf"));
        EXPECT_EQ(m_editor.LineCount(), row.lines.size());
        EXPECT_EQ(m_editor.Lines(), row.lines);
        int start = 0;
        for (int i = 0; i < row.lines.size(); ++i) {
            EXPECT_EQ(m_editor.LineText(i), row.lines[i]) << "line " << i;
            EXPECT_EQ(m_editor.StartOfLine(i), start) << "line " << i;
            EXPECT_EQ(m_editor.LineOfPosition(start), i) << "line " << i;
            start += row.lines[i].size() + 1;
        }
        EXPECT_EQ(m_editor.LineText(row.lines.size() + 1), QString());
        EXPECT_EQ(m_editor.StartOfLine(row.lines.size() + 1), -1);
        EXPECT_EQ(m_editor.StartOfLine(-1), -1);
        m_editor.SaveToFile(PathOf("out.odf"));
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
    m_editor.LoadFromFile(PathOf("bytes.odf"));
    EXPECT_EQ(m_editor.LineCount(), 2);
    EXPECT_EQ(m_editor.LineText(0).size(), line.size());
    m_editor.SaveToFile(PathOf("bytes.odf"));
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
        m_editor.LoadFromFile(PathOf("r.odf"));
        m_editor.ReplaceLine(row.index, "XYZ");
        m_editor.SaveToFile(PathOf("r.odf"));
        EXPECT_EQ(ReadFile(PathOf("r.odf")), row.saved) << row.name;
    }
}

TEST_F(EditorFiles, LongLinesAreCutAndWrappedLinesStayWhole) {
    const QByteArray longLine(5000, 'x');
    WriteFile(PathOf("long.odf"), longLine + "\r\nshort");
    m_editor.resize(200, 200);
    m_editor.SetWordWrap(true);
    m_editor.show();
    m_editor.LoadFromFile(PathOf("long.odf"));
    EXPECT_EQ(m_editor.LineText(0).size(), 4096);
    EXPECT_EQ(m_editor.LineCount(), 2);
    EXPECT_EQ(m_editor.LineOfPosition(4999), 0);
    EXPECT_EQ(m_editor.LineOfPosition(5001), 1);
    EXPECT_EQ(m_editor.LineText(1), "short");
}

TEST_F(EditorFiles, UnreadableFilesRaiseTheirMessage) {
    // A pipe is refused at once instead of waiting for a writer; a device is never read.
    ASSERT_EQ(::mkfifo(QFile::encodeName(PathOf("pipe.odf")).constData(), 0600), 0);
    for (const QString& path : {PathOf("missing.odf"), PathOf(""), PathOf("pipe.odf"), QStringLiteral("/dev/zero")}) {
        try {
            m_editor.LoadFromFile(path);
            ADD_FAILURE() << "no failure for " << path.toStdString();
        } catch (const FileError& failure) {
            EXPECT_EQ(QString::fromStdString(failure.what()), "Cannot open file " + path);
        }
    }
}

TEST_F(EditorFiles, ModifiedFlagFollowsTheUsersEdits) {
    WriteFile(PathOf("m.odf"), "a = 1\r\n");
    m_editor.LoadFromFile(PathOf("m.odf"));
    EXPECT_FALSE(m_editor.Modified());
    m_editor.SetFontSize(20);
    m_editor.SetFontName("Monospace");
    EXPECT_FALSE(m_editor.Modified());
    QTest::keyClicks(&m_editor, "b");
    EXPECT_TRUE(m_editor.Modified());
    m_editor.ClearModified();
    m_editor.undo();
    EXPECT_TRUE(m_editor.Modified());
    m_editor.ClearText();
    EXPECT_FALSE(m_editor.Modified());
    EXPECT_EQ(m_editor.toPlainText(), QString());
}

TEST_F(EditorFiles, EnterAndShiftEnterBothBreakTheLine) {
    QTest::keyClicks(&m_editor, "a");
    QTest::keyClick(&m_editor, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(&m_editor, "b");
    QTest::keyClick(&m_editor, Qt::Key_Return);
    QTest::keyClick(&m_editor, Qt::Key_Tab);
    EXPECT_EQ(m_editor.Lines(), QStringList({"a", "b", "\t"}));
}

TEST(PositionText, NumbersArePaddedToThreeAndNeverCut) {
    EXPECT_EQ(PositionText(1, 1), "  1:   1");
    EXPECT_EQ(PositionText(12, 5), " 12:   5");
    EXPECT_EQ(PositionText(1234, 10), "1234:  10");
}

class EditorStatus : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        WriteAcceptedPrefs();
        m_form = MakeForm();
        m_editor = m_form->Editor();
    }
    QString Panel(int index) const { return m_form->StatusBar()->PanelText(index); }

    std::unique_ptr<TForm1> m_form;
    EditorPane* m_editor = nullptr;
};

TEST_F(EditorStatus, PanelsFollowCaretSelectionAndModifiedFlag) {
    EXPECT_EQ(Panel(0), "");
    EXPECT_EQ(Panel(2), "");
    m_form->tb_NewClick(nullptr);
    EXPECT_EQ(Panel(0), "  1:   1");
    EXPECT_EQ(Panel(2), "");
    QTest::keyClicks(m_editor, "x");
    EXPECT_EQ(Panel(0), "  1:   2");
    EXPECT_EQ(Panel(2), "Modified");
    QTest::keyClick(m_editor, Qt::Key_Tab);
    EXPECT_EQ(Panel(0), "  1:   3");

    m_editor->setPlainText("line1\nline2\n0123456789abc\nline four\nfive");
    m_editor->SetSelStart(m_editor->StartOfLine(2) + 10);
    EXPECT_EQ(Panel(0), "  3:  11");
    m_editor->SetSelStart(m_editor->StartOfLine(1));
    m_editor->SetSelLength(m_editor->StartOfLine(3) + 4 - m_editor->StartOfLine(1));
    EXPECT_EQ(Panel(0), "  4:   5");
    EXPECT_EQ(m_editor->textCursor().selectedText().size(), 24);
}

class EditorCommands : public EditorStatus {
protected:
    void SetUp() override {
        EditorStatus::SetUp();
        m_form->show();
        QApplication::setActiveWindow(m_form.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_form.get()));
        m_editor->setPlainText("alpha beta");
        m_editor->setFocus();
    }
    void FocusMessageList() {
        QListWidget* list = m_form->Layout().MsgList;
        list->show();
        list->setFocus();
        ASSERT_EQ(m_form->focusWidget(), list);
    }
};

TEST_F(EditorCommands, ClipboardCommandsActOnlyWhileTheEditorHasTheFocus) {
    QApplication::clipboard()->setText("untouched");
    m_form->Menu().SelectAll1->trigger();
    m_form->Menu().Copy1->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "alpha beta");

    QApplication::clipboard()->setText("untouched");
    FocusMessageList();
    for (QAction* command : {m_form->Menu().Copy1, m_form->Menu().Cut1, m_form->Menu().Paste1})
        command->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "untouched");
    EXPECT_EQ(m_editor->toPlainText(), "alpha beta");

    m_editor->setFocus();
    m_form->Popup().Paste2->trigger();
    EXPECT_EQ(m_editor->toPlainText(), "untouched");
}

TEST_F(EditorCommands, UndoAndRedoKeysWorkFromAnyControl) {
    QTest::keyClicks(m_editor, "!");
    EXPECT_EQ(m_editor->toPlainText(), "!alpha beta");
    FocusMessageList();
    QTest::keyClick(m_form->Layout().MsgList, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(m_editor->toPlainText(), "alpha beta");
    QTest::keyClick(m_form->Layout().MsgList, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(m_editor->toPlainText(), "!alpha beta");
}

} // namespace
} // namespace varko::maintree
