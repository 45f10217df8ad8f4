#include "app_fixture.h"
#include "varko/maintree/document/documents.h"
#include "varko/maintree/editor/editor_pane.h"
#include "varko/maintree/window/editor_features.h"
#include "varko/maintree/window/main_window.h"
#include "varko/maintree/window/session_wiring.h"
#include "varko/maintree/window/status_panels.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

namespace varko::maintree {
namespace {

using platform::Answer;
using Kind = platform::ScriptedDesktop::Kind;
enum Button { kRestore = 0, kDiscard = 1 };

// Crash recovery in the window. A window destroyed without being closed stands for one that
// crashed: its recovery copy stays for the next window over the same program directory.
class RecoveryWiring : public testing::AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        WriteAcceptedPrefs();
        m_window = MakeWindow();
    }

    EditorPane& Editor() const { return m_window->editor(); }
    maintree::RecoveryStore& Recovery() const { return m_window->editorFeatures().session().recovery(); }
    QString Folder() const { return AppDir() + ".recovery"; }
    QStringList Copies() const {
        return QDir(Folder()).entryList({"*.recovery"}, QDir::Files | QDir::Hidden);
    }
    // Writes the copy now instead of a moment after typing stops.
    void Keep() const {
        QSignalSpy written(&Recovery(), &maintree::RecoveryStore::copyWritten);
        Recovery().writeNow();
        ASSERT_TRUE(written.wait(5000));
    }
    // Edits with every character a file can hold, typed and pasted.
    QString EditEverything() const {
        QTest::keyClicks(&Editor(), "typed ");
        QString pasted;
        for (int code = 1; code < 256; ++code) {
            if (code != '\r' && code != '\n')
                pasted += QChar(code);
        }
        Editor().insertPlainText(pasted + "\n\nlast line\t");
        return Editor().toPlainText();
    }
    void Restart(int answer) {
        m_window.reset();
        m_desktop.ClearHistory();
        m_desktop.QueueChoice(answer);
        m_window = MakeWindow();
    }

    std::unique_ptr<MainWindow> m_window;
};

TEST_F(RecoveryWiring, ACrashedWindowsChangesComeBackExactlyAsAModifiedDocument) {
    WriteFile(PathOf("ship.odf"), "[Ship]\r\nhull=1\r\n");
    m_window->documents().openFile(PathOf("ship.odf"));
    const QString text = EditEverything();
    Keep();
    ASSERT_EQ(Copies().size(), 1);
    EXPECT_EQ(ReadFile(PathOf("ship.odf")), "[Ship]\r\nhull=1\r\n") << "the user's file is never written";

    Restart(kRestore);
    const auto offered = m_desktop.Of(Kind::Choose);
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_TRUE(offered[0].text.contains(PathOf("ship.odf")));
    EXPECT_TRUE(offered[0].text.contains("unsaved changes"));
    EXPECT_EQ(offered[0].buttons, (QStringList{"Restore", "Discard"}));
    EXPECT_EQ(Editor().toPlainText(), text);
    EXPECT_TRUE(Editor().isModified());
    EXPECT_EQ(m_window->documents().currentFile(), PathOf("ship.odf"));
    EXPECT_EQ(m_window->windowTitle(), "ship.odf - VARKO");
    EXPECT_EQ(m_window->statusPanels().panelText(StatusPanel::Modified), "Modified");
    EXPECT_EQ(Copies().size(), 1) << "the restored copy is this window's own now";

    // Saving writes the restored text and removes the copy.
    ASSERT_TRUE(m_window->documents().save());
    EXPECT_TRUE(Copies().isEmpty());
    Restart(kRestore);
    EXPECT_TRUE(m_desktop.Of(Kind::Choose).empty()) << "nothing is offered after a save";
}

TEST_F(RecoveryWiring, DiscardRemovesTheCopyAndLeavesTheEditorAsItStarted) {
    QTest::keyClicks(&Editor(), "lost");
    Keep();
    Restart(kDiscard);
    EXPECT_EQ(m_desktop.Of(Kind::Choose).size(), 1u);
    EXPECT_EQ(Editor().toPlainText(), "");
    EXPECT_FALSE(Editor().isModified());
    EXPECT_TRUE(Copies().isEmpty());
}

TEST_F(RecoveryWiring, AnUntitledDocumentComesBackUntitled) {
    m_window->documents().newDocument(Documents::Kind::TechTree);
    QTest::keyClicks(&Editor(), "tree");
    Keep();
    Restart(kRestore);
    ASSERT_EQ(m_desktop.Of(Kind::Choose).size(), 1u);
    EXPECT_TRUE(m_desktop.Of(Kind::Choose)[0].text.contains("an untitled document"));
    EXPECT_EQ(m_window->documents().currentFile(), "Untitled.tt");
    EXPECT_EQ(Editor().toPlainText(), "tree");
    EXPECT_EQ(Editor().documentKind(), maintree::DocumentKind::TechTree);
}

TEST_F(RecoveryWiring, ClosingWithoutSavingRemovesTheCopyAndCancelKeepsIt) {
    QTest::keyClicks(&Editor(), "draft");
    Keep();
    m_window->show();
    m_desktop.QueueAnswer(Answer::Cancel);
    EXPECT_FALSE(m_window->close());
    EXPECT_EQ(Copies().size(), 1);
    m_desktop.QueueAnswer(Answer::No);
    EXPECT_TRUE(m_window->close());
    EXPECT_TRUE(Copies().isEmpty());
}

TEST_F(RecoveryWiring, AGarbageRecoveryFileIsOfferedAsItIs) {
    m_window.reset();
    ASSERT_TRUE(QDir().mkpath(Folder()));
    QByteArray garbage("\x01\xff\x00not a recovery file\nVARKO", 27);
    WriteFile(Folder() + "/4242-deadbeef.recovery", garbage);
    Restart(kRestore);
    ASSERT_EQ(m_desktop.Of(Kind::Choose).size(), 1u);
    EXPECT_EQ(Editor().toPlainText(), QString::fromLatin1(garbage));
    EXPECT_TRUE(Editor().isModified());
}

TEST_F(RecoveryWiring, AFolderThatCannotBeWrittenIsSaidOnceAndEditingGoesOn) {
    m_window.reset();
    ASSERT_TRUE(QDir(Folder()).removeRecursively());
    WriteFile(Folder(), "a file where the folder would be");
    m_window = MakeWindow();
    EXPECT_FALSE(Recovery().enabled());
    QTest::keyClicks(&Editor(), "one");
    QTest::qWait(20);
    QTest::keyClicks(&Editor(), " two");
    QTest::qWait(20);
    const auto said = m_desktop.Of(Kind::Error);
    ASSERT_EQ(said.size(), 1u);
    EXPECT_TRUE(said[0].text.contains("recovery is off"));
    EXPECT_EQ(Editor().toPlainText(), "one two");
}

} // namespace
} // namespace varko::maintree
