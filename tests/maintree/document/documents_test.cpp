#include "app_fixture.h"
#include "varko/maintree/document/documents.h"
#include "varko/maintree/editor/editor_pane.h"
#include "varko/maintree/window/status_panels.h"

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include <csignal>
#include <sys/resource.h>

namespace varko::maintree {
namespace {

using platform::Answer;
using Kind = platform::ScriptedDesktop::Kind;

class DocumentLifecycle : public testing::AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        WriteAcceptedPrefs();
        m_window = MakeWindow();
        m_desktop.ClearHistory();
    }

    EditorPane& Editor() const { return m_window->editor(); }
    void Type(const QString& text) const { QTest::keyClicks(&m_window->editor(), text); }
    // A titled document on disk, loaded and then changed by typing.
    QString OpenChanged(const QString& name, const QByteArray& content) {
        WriteFile(PathOf(name), content);
        m_window->documents().openFile(PathOf(name));
        Type("typed ");
        return PathOf(name);
    }
    std::vector<platform::ScriptedDesktop::Shown> Shown(Kind kind) const { return m_desktop.Of(kind); }
    Documents& Document() const { return m_window->documents(); }

    std::unique_ptr<MainWindow> m_window;
};

TEST_F(DocumentLifecycle, NewGivesAnEmptyUntitledDocumentOfTheSendersKind) {
    const std::pair<QAction*, QString> rows[] = {
        {m_window->toolBar().newDocument, "Untitled.odf - VARKO"},
        {m_window->menu().newTechTree, "Untitled.tt - VARKO"},
        {m_window->menu().newOdf, "Untitled.odf - VARKO"},
        {m_window->menu().newMenu, "Untitled.odf - VARKO"},
    };
    EXPECT_EQ(m_window->windowTitle(), "Varko Workshop");
    EXPECT_EQ(m_desktop.ApplicationTitle(), "Varko");
    for (const auto& [sender, caption] : rows) {
        SCOPED_TRACE(sender->objectName().toStdString());
        Type("text");
        m_desktop.QueueAnswer(Answer::No);
        sender->trigger();
        EXPECT_EQ(m_window->windowTitle(), caption);
        EXPECT_EQ(m_desktop.ApplicationTitle(), caption);
        EXPECT_EQ(Editor().toPlainText(), "");
        EXPECT_FALSE(Editor().isModified());
        EXPECT_EQ(m_window->statusPanels().panelText(StatusPanel::Modified), "");
    }
    EXPECT_EQ(m_desktop.PendingAnswers(), 0u);
}

TEST_F(DocumentLifecycle, CtrlNMakesANewOdfDocument) {
    m_window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    QApplication::setActiveWindow(m_window.get());
    m_window->menu().newTechTree->trigger();
    QTest::keyClick(&m_window->editor(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(m_window->documents().currentFile(), "Untitled.odf");
}

TEST_F(DocumentLifecycle, SavingAnUntitledDocumentAddsItsExtension) {
    struct Row {
        const char* name;
        QAction* sender;
        QString typed;
        int filterShown;
        QString written;
    };
    const Row rows[] = {
        {"odf", m_window->menu().newOdf, "ship", 1, "ship.odf"},
        {"tech tree", m_window->menu().newTechTree, "tree", 2, "tree.tt"},
        {"name with extension", m_window->menu().newTechTree, "notes.txt", 2, "notes.txt"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        row.sender->trigger();
        Type("x = 1");
        m_desktop.ClearHistory();
        m_desktop.QueueFileChoice(PathOf(row.typed));
        m_window->toolBar().save->trigger();
        ASSERT_EQ(Shown(Kind::SaveDialog).size(), 1u);
        EXPECT_EQ(Shown(Kind::SaveDialog)[0].dialog.filterIndex, row.filterShown);
        EXPECT_EQ(ReadFile(PathOf(row.written)), "x = 1");
        EXPECT_EQ(m_window->documents().currentFile(), PathOf(row.written));
        EXPECT_EQ(m_window->windowTitle(), row.written + " - VARKO");
        EXPECT_FALSE(Editor().isModified());
    }
}

TEST_F(DocumentLifecycle, SaveAsAsksWithTheCurrentNameAndAddsNoExtension) {
    const QString path = OpenChanged("ship.odf", "a = 1\r\n");
    m_desktop.QueueFileChoice(PathOf("copy"));
    m_window->menu().saveAs->trigger();
    ASSERT_EQ(Shown(Kind::SaveDialog).size(), 1u);
    EXPECT_EQ(Shown(Kind::SaveDialog)[0].dialog.fileName, path);
    EXPECT_EQ(ReadFile(PathOf("copy")), "typed a = 1\r\n");
    EXPECT_EQ(m_window->windowTitle(), "copy - VARKO");
    EXPECT_EQ(ReadFile(path), "a = 1\r\n");
}

TEST_F(DocumentLifecycle, SaveOnATitledDocumentWritesAtOnce) {
    WriteFile(PathOf("X.ODF"), "a\nb");
    m_desktop.QueueFileChoice(PathOf("first.txt"), 3);
    m_window->documents().saveAs();
    m_window->documents().openFile(PathOf("X.ODF"));
    m_window->documents().save();
    EXPECT_TRUE(Shown(Kind::SaveDialog).size() == 1u && Shown(Kind::Confirm).empty());
    EXPECT_EQ(ReadFile(PathOf("X.ODF")), "a\r\nb");
    EXPECT_EQ(Document().saveDialog().filterIndex, 3);
    EXPECT_EQ(m_window->windowTitle(), "X.ODF - VARKO");
}

TEST_F(DocumentLifecycle, PromptNamesTheFileAndItsAnswersDecide) {
    struct Row {
        const char* name;
        Answer answer;
        bool newDocument;
        QByteArray onDisk;
    };
    const Row rows[] = {
        {"cancel keeps everything", Answer::Cancel, false, "a = 1\r\n"},
        {"no discards the edits", Answer::No, true, "a = 1\r\n"},
        {"yes saves first", Answer::Yes, true, "typed a = 1\r\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = OpenChanged("ship1.odf", "a = 1\r\n");
        m_desktop.ClearHistory();
        m_desktop.QueueAnswer(row.answer);
        Document().newDocument(Documents::Kind::Odf);
        ASSERT_EQ(Shown(Kind::Confirm).size(), 1u);
        EXPECT_EQ(Shown(Kind::Confirm)[0].caption, "Confirm");
        EXPECT_EQ(Shown(Kind::Confirm)[0].text, "Save changes to ship1.odf?");
        EXPECT_EQ(m_window->documents().currentFile(), row.newDocument ? QString("Untitled.odf") : path);
        EXPECT_EQ(Editor().toPlainText(), row.newDocument ? QString() : QString("typed a = 1\n"));
        EXPECT_EQ(ReadFile(path), row.onDisk);
    }
}

TEST_F(DocumentLifecycle, YesWithACancelledSaveDialogCancelsTheCommand) {
    Document().newDocument(Documents::Kind::TechTree);
    Type("unsaved");
    m_desktop.QueueAnswer(Answer::Yes);
    m_desktop.QueueDialogCancel();
    m_window->documents().open();
    EXPECT_EQ(Shown(Kind::Confirm)[0].text, "Save changes to Untitled.tt?");
    EXPECT_EQ(Shown(Kind::SaveDialog).size(), 1u);
    EXPECT_TRUE(Shown(Kind::OpenDialog).empty());
    EXPECT_EQ(Editor().toPlainText(), "unsaved");
    EXPECT_TRUE(Editor().isModified());
    EXPECT_EQ(m_window->documents().currentFile(), "Untitled.tt");
}

TEST_F(DocumentLifecycle, OpenDialogShowsThePreviousNameOnlyAfterYes) {
    const QString path = OpenChanged("ship.odf", "a = 1\r\n");
    m_desktop.QueueAnswer(Answer::Yes);
    m_desktop.QueueDialogCancel();
    m_window->documents().open();
    ASSERT_EQ(Shown(Kind::OpenDialog).size(), 1u);
    EXPECT_EQ(Shown(Kind::OpenDialog)[0].dialog.fileName, path);
    EXPECT_EQ(Shown(Kind::OpenDialog)[0].dialog.filter,
              "ODF and TT Files|*.odf;*.tt|Text files|*.txt|All files|*.*");
    EXPECT_EQ(m_window->documents().currentFile(), path);
    EXPECT_FALSE(Editor().isModified());

    Type("again");
    m_desktop.QueueAnswer(Answer::No);
    m_desktop.QueueFileChoice(PathOf("ship.odf"));
    m_window->documents().open();
    EXPECT_EQ(Shown(Kind::OpenDialog)[1].dialog.fileName, "");
    EXPECT_EQ(Editor().toPlainText(), "typed a = 1\n");
    EXPECT_EQ(m_window->windowTitle(), "ship.odf - VARKO");
    EXPECT_EQ(Editor().textCursor().position(), 0);
}

TEST_F(DocumentLifecycle, FailedLoadsAndSavesChangeNothingAndShowTheirMessage) {
    const QString path = OpenChanged("ship.odf", "a = 1\r\n");
    m_desktop.QueueFileChoice(PathOf("missing.odf"));
    m_desktop.QueueFileChoice(PathOf("no/such/dir"));
    m_desktop.QueueAnswer(Answer::No);
    m_window->menu().open->trigger();
    m_window->menu().saveAs->trigger();
    const auto failures = Shown(Kind::Exception);
    ASSERT_EQ(failures.size(), 2u);
    EXPECT_EQ(failures[0].caption, "ship.odf - VARKO");
    EXPECT_EQ(failures[0].text, "Cannot open file " + PathOf("missing.odf") + ".");
    EXPECT_EQ(failures[1].text, "Cannot create file " + PathOf("no/such/dir") + ".");
    EXPECT_EQ(Document().saveDialog().fileName, PathOf("no/such/dir"));
    EXPECT_EQ(m_window->documents().currentFile(), path);
    EXPECT_EQ(Editor().toPlainText(), "typed a = 1\n");
    EXPECT_TRUE(Editor().isModified());
    EXPECT_EQ(m_window->windowTitle(), "ship.odf - VARKO");
}

TEST_F(DocumentLifecycle, AFailedSaveAfterYesEndsThePendingCommand) {
    Type("text");
    m_desktop.QueueAnswer(Answer::Yes);
    m_desktop.QueueFileChoice(PathOf("no/such/dir/ship"));
    m_window->toolBar().newDocument->trigger();
    ASSERT_EQ(Shown(Kind::Exception).size(), 1u);
    EXPECT_EQ(Shown(Kind::Exception)[0].text, "Cannot create file " + PathOf("no/such/dir/ship.odf") + ".");
    EXPECT_EQ(Document().saveDialog().fileName, PathOf("no/such/dir/ship.odf"));
    EXPECT_EQ(Editor().toPlainText(), "text");
    EXPECT_EQ(m_window->documents().currentFile(), "Untitled.odf");
}

TEST_F(DocumentLifecycle, ClosingAsksOnlyForChangedText) {
    struct Row {
        const char* name;
        bool changed;
        Answer answer;
        bool closes;
    };
    const Row rows[] = {
        {"unchanged", false, Answer::Cancel, true},
        {"changed, cancel", true, Answer::Cancel, false},
        {"changed, no", true, Answer::No, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        WriteFile(PathOf("c.odf"), "c\r\n");
        m_window = MakeWindow({PathOf("c.odf")});
        m_window->show();
        m_desktop.ClearHistory();
        if (row.changed) {
            Type("x");
            m_desktop.QueueAnswer(row.answer);
        }
        m_window->menu().bye->trigger();
        EXPECT_EQ(m_window->isVisible(), !row.closes);
        EXPECT_EQ(Shown(Kind::Confirm).size(), row.changed ? 1u : 0u);
        EXPECT_EQ(ReadFile(PathOf("c.odf")), "c\r\n");
        EXPECT_EQ(m_window->editor().toPlainText(), row.changed ? "xc\n" : "c\n");
    }
}

TEST_F(DocumentLifecycle, DropsOpenTheFirstFileWithItsWholePath) {
    const QString longName = QString(250, QLatin1Char('d')) + ".odf";
    WriteFile(PathOf(longName), "dropped");
    WriteFile(PathOf("second.odf"), "second");
    ASSERT_GT(PathOf(longName).size(), 259);
    m_window->show(); // the window takes drops once it is shown
    Type("changed");
    m_desktop.QueueAnswer(Answer::No);
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(PathOf(longName)), QUrl::fromLocalFile(PathOf("second.odf"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_window.get(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_window.get(), &drop);
    EXPECT_EQ(Shown(Kind::Confirm).size(), 1u);
    EXPECT_EQ(m_window->documents().currentFile(), PathOf(longName));
    EXPECT_EQ(Editor().toPlainText(), "dropped");
    EXPECT_EQ(m_window->windowTitle(), longName + " - VARKO");
    m_window->documents().openDropped({});
    EXPECT_EQ(m_window->documents().currentFile(), PathOf(longName));
}

// Lowers the largest file this process may write, so a write stops part-way.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = m_saved;
        lowered.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_saved{};
    void (*m_oldHandler)(int) = nullptr;
};

TEST_F(DocumentLifecycle, ASaveThatFailsHalfWayLeavesTheOldFileIntact) {
    const QByteArray old = "old = 1\r\n";
    WriteFile(PathOf("big.odf"), old);
    m_window->documents().openFile(PathOf("big.odf"));
    Editor().setPlainText(QString(64 * 1024, QLatin1Char('y')));
    {
        FileSizeLimit limit(4096);
        m_window->menu().save->trigger();
    }
    ASSERT_EQ(Shown(Kind::Exception).size(), 1u);
    EXPECT_EQ(Shown(Kind::Exception)[0].text, "Cannot create file " + PathOf("big.odf") + ".");
    EXPECT_EQ(ReadFile(PathOf("big.odf")), old);
    EXPECT_EQ(QDir(PathOf("")).entryList(QDir::Files), QStringList({"big.odf"}));
    EXPECT_TRUE(Editor().isModified());
}

} // namespace
} // namespace varko::maintree
