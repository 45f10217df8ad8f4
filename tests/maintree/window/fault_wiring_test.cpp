#include "app_fixture.h"
#include "varko/compiler/data_files.h"
#include "varko/maintree/checkrun/check_run.h"
#include "varko/maintree/document/documents.h"
#include "varko/maintree/editor/editor_pane.h"
#include "varko/maintree/window/editor_features.h"
#include "varko/maintree/window/main_layout.h"
#include "varko/maintree/window/main_window.h"
#include "varko/maintree/window/status_panels.h"
#include "varko/maintree/window/tool_bar.h"

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMap>
#include <QTest>
#include <QTextBlock>

namespace varko::maintree {
namespace {

QString SourcePath(const char* relative) {
    return QStringLiteral(VARKO_SOURCE_DIR "/") + QLatin1String(relative);
}

// A Run's findings as the editor's fault marks and the "Fault at caret" panel, over the sample
// mod: the message list the run shows is what the marks must agree with.
class FaultWiring : public testing::AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        for (const char* name : {compiler::kDeclarationsFile, compiler::kIgnoreFilesFile})
            WriteFile(AppDir() + name, ReadFile(SourcePath("data/") + name));
        WritePrefs(
            "[Application]\r\nVersion=1.1\r\n[Dirs]\r\nAddon=" + SourcePath("examples/addon").toUtf8() +
            "\r\nSod=" + SourcePath("examples/sod").toUtf8() + "\r\n");
        WriteFile(PathOf("faulty.odf"), ReadFile(SourcePath("examples/addon/faulty.odf")));
        m_window = MakeWindow();
        m_window->show();
        m_window->documents().openFile(PathOf("faulty.odf"));
    }

    EditorPane& Editor() const { return m_window->editor(); }
    void Run() const {
        m_window->toolBar().run->trigger();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !m_window->checkRun().running(); }, 20000));
    }
    // The listed messages by their 0-based line, in list order.
    QMap<int, QStringList> Listed() const {
        QMap<int, QStringList> byLine;
        const QListWidget& list = *m_window->layout().messageList;
        for (int i = 0; i < list.count(); ++i)
            byLine[list.item(i)->data(Qt::UserRole).toInt() - 1] << list.item(i)->text();
        return byLine;
    }
    // Every line's marks agree with the list: the same messages, in the same order.
    void ExpectMarksAsListed() const {
        const QMap<int, QStringList> listed = Listed();
        int marked = 0;
        for (QTextBlock block = Editor().document()->begin(); block.isValid(); block = block.next()) {
            const QString expected = listed.value(block.blockNumber()).join('\n');
            EXPECT_EQ(Editor().faultTextOf(block), expected) << "line " << block.blockNumber() + 1;
            marked += static_cast<int>(listed.value(block.blockNumber()).size());
        }
        EXPECT_EQ(Editor().faultMarkCount(), marked);
    }
    QString FaultPanel() const { return m_window->statusPanels().panelText(StatusPanel::FaultAtCaret); }

    std::unique_ptr<MainWindow> m_window;
};

TEST_F(FaultWiring, ARunMarksEveryListedLineAndTheNextRunReplacesTheMarks) {
    Run();
    ASSERT_GT(m_window->layout().messageList->count(), 3);
    ExpectMarksAsListed();

    // Only the first faulty line is left: the next run's single mark replaces them all.
    const int first = Listed().firstKey();
    const QString kept = Editor().lineText(first);
    Editor().selectAll();
    Editor().insertPlainText(kept);
    Run();
    ASSERT_GE(m_window->layout().messageList->count(), 1);
    ExpectMarksAsListed();
    EXPECT_EQ(Listed().keys(), QList<int>{0});
}

TEST_F(FaultWiring, TheFaultAtCaretPanelSpeaksTheCaretLinesMessages) {
    const QList<QLabel*> panels = m_window->statusPanels().findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
    QStringList descriptions;
    for (const QLabel* panel : panels)
        descriptions << panel->accessibleDescription();
    EXPECT_EQ(descriptions.mid(0, 4),
              (QStringList{"Position", "Check result", "Modified state", "Fault at caret"}));

    Run();
    const QMap<int, QStringList> listed = Listed();
    ASSERT_FALSE(listed.isEmpty());
    EXPECT_EQ(FaultPanel(), "") << "the caret starts on a line without faults";
    m_window->editorFeatures().searchMenu().nextFault->trigger();
    EXPECT_EQ(Editor().textCursor().blockNumber(), listed.firstKey());
    EXPECT_EQ(FaultPanel(), FaultPanelText(listed.first().join('\n')));
    EXPECT_EQ(panels.value(3)->text(), FaultPanel());

    // The caret's line without a fault empties the panel again.
    Editor().setSelStart(0);
    EXPECT_EQ(FaultPanel(), "");
}

TEST_F(FaultWiring, OpeningAnotherDocumentDropsTheMarks) {
    Run();
    ASSERT_GT(Editor().faultMarkCount(), 0);
    m_window->documents().newDocument(Documents::Kind::Odf);
    EXPECT_EQ(Editor().faultMarkCount(), 0);
    EXPECT_EQ(FaultPanel(), "");
}

TEST(FaultPanelText, SeveralMessagesShareOneLine) {
    EXPECT_EQ(FaultPanelText(""), "");
    EXPECT_EQ(FaultPanelText("Line 3: a"), "Line 3: a");
    EXPECT_EQ(FaultPanelText("Line 3: a\nLine 3: b"), "Line 3: a; Line 3: b");
}

} // namespace
} // namespace varko::maintree
