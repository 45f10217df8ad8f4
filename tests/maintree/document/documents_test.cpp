#include "app_fixture.h"
#include "varko/maintree/documents.h"
#include "varko/maintree/editor_pane.h"
#include "varko/maintree/status_panels.h"

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
        m_form = MakeForm();
        m_desktop.ClearHistory();
    }

    EditorPane& Editor() const { return *m_form->Editor(); }
    void Type(const QString& text) const { QTest::keyClicks(m_form->Editor(), text); }
    // A titled document on disk, loaded and then changed by typing.
    QString OpenChanged(const QString& name, const QByteArray& content) {
        WriteFile(PathOf(name), content);
        m_form->LoadFile(PathOf(name));
        Type("typed ");
        return PathOf(name);
    }
    std::vector<platform::ScriptedDesktop::Shown> Shown(Kind kind) const { return m_desktop.Of(kind); }
    const Documents& Document() const { return m_form->Document(); }

    std::unique_ptr<TForm1> m_form;
};

TEST_F(DocumentLifecycle, NewGivesAnEmptyUntitledDocumentOfTheSendersKind) {
    const std::pair<QAction*, QString> rows[] = {
        {m_form->ToolBar().tb_New, "Untitled.odf - VARKO"},
        {m_form->Menu().mi_newtt, "Untitled.tt - VARKO"},
        {m_form->Menu().mi_newODF, "Untitled.odf - VARKO"},
        {m_form->Menu().mi_New, "Untitled.odf - VARKO"},
    };
    EXPECT_EQ(m_form->windowTitle(), "Varko Workshop");
    EXPECT_EQ(m_desktop.ApplicationTitle(), "Varko");
    for (const auto& [sender, caption] : rows) {
        SCOPED_TRACE(sender->objectName().toStdString());
        Type("text");
        m_desktop.QueueAnswer(Answer::No);
        sender->trigger();
        EXPECT_EQ(m_form->windowTitle(), caption);
        EXPECT_EQ(m_desktop.ApplicationTitle(), caption);
        EXPECT_EQ(Editor().toPlainText(), "");
        EXPECT_FALSE(Editor().Modified());
        EXPECT_EQ(m_form->StatusBar()->PanelText(2), "");
    }
    EXPECT_EQ(m_desktop.PendingAnswers(), 0u);
}

TEST_F(DocumentLifecycle, CtrlNMakesANewOdfDocument) {
    m_form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_form.get()));
    QApplication::setActiveWindow(m_form.get());
    m_form->Menu().mi_newtt->trigger();
    QTest::keyClick(m_form->Editor(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(m_form->CurrentFile(), "Untitled.odf");
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
        {"odf", m_form->Menu().mi_newODF, "ship", 1, "ship.odf"},
        {"tech tree", m_form->Menu().mi_newtt, "tree", 2, "tree.tt"},
        {"name with extension", m_form->Menu().mi_newtt, "notes.txt", 2, "notes.txt"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        row.sender->trigger();
        Type("x = 1");
        m_desktop.ClearHistory();
        m_desktop.QueueFileChoice(PathOf(row.typed));
        m_form->ToolBar().tb_Save->trigger();
        ASSERT_EQ(Shown(Kind::SaveDialog).size(), 1u);
        EXPECT_EQ(Shown(Kind::SaveDialog)[0].dialog.filterIndex, row.filterShown);
        EXPECT_EQ(ReadFile(PathOf(row.written)), "x = 1");
        EXPECT_EQ(m_form->CurrentFile(), PathOf(row.written));
        EXPECT_EQ(m_form->windowTitle(), row.written + " - VARKO");
        EXPECT_FALSE(Editor().Modified());
    }
}

TEST_F(DocumentLifecycle, SaveAsAsksWithTheCurrentNameAndAddsNoExtension) {
    const QString path = OpenChanged("ship.odf", "a = 1\r\n");
    m_desktop.QueueFileChoice(PathOf("copy"));
    m_form->Menu().mi_SaveAs->trigger();
    ASSERT_EQ(Shown(Kind::SaveDialog).size(), 1u);
    EXPECT_EQ(Shown(Kind::SaveDialog)[0].dialog.fileName, path);
    EXPECT_EQ(ReadFile(PathOf("copy")), "typed a = 1\r\n");
    EXPECT_EQ(m_form->windowTitle(), "copy - VARKO");
    EXPECT_EQ(ReadFile(path), "a = 1\r\n");
}

TEST_F(DocumentLifecycle, SaveOnATitledDocumentWritesAtOnce) {
    WriteFile(PathOf("X.ODF"), "a\nb");
    m_desktop.QueueFileChoice(PathOf("first.txt"), 3);
    m_form->mi_SaveAsClick();
    m_form->LoadFile(PathOf("X.ODF"));
    m_form->tb_SaveClick();
    EXPECT_TRUE(Shown(Kind::SaveDialog).size() == 1u && Shown(Kind::Confirm).empty());
    EXPECT_EQ(ReadFile(PathOf("X.ODF")), "a\r\nb");
    EXPECT_EQ(Document().SaveDialog().filterIndex, 3);
    EXPECT_EQ(m_form->windowTitle(), "X.ODF - VARKO");
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
        m_form->tb_NewClick(nullptr);
        ASSERT_EQ(Shown(Kind::Confirm).size(), 1u);
        EXPECT_EQ(Shown(Kind::Confirm)[0].caption, "Confirm");
        EXPECT_EQ(Shown(Kind::Confirm)[0].text, "Save changes to ship1.odf?");
        EXPECT_EQ(m_form->CurrentFile(), row.newDocument ? QString("Untitled.odf") : path);
        EXPECT_EQ(Editor().toPlainText(), row.newDocument ? QString() : QString("typed a = 1\n"));
        EXPECT_EQ(ReadFile(path), row.onDisk);
    }
}

TEST_F(DocumentLifecycle, YesWithACancelledSaveDialogCancelsTheCommand) {
    m_form->tb_NewClick(m_form->Menu().mi_newtt);
    Type("unsaved");
    m_desktop.QueueAnswer(Answer::Yes);
    m_desktop.QueueDialogCancel();
    m_form->tb_openClick();
    EXPECT_EQ(Shown(Kind::Confirm)[0].text, "Save changes to Untitled.tt?");
    EXPECT_EQ(Shown(Kind::SaveDialog).size(), 1u);
    EXPECT_TRUE(Shown(Kind::OpenDialog).empty());
    EXPECT_EQ(Editor().toPlainText(), "unsaved");
    EXPECT_TRUE(Editor().Modified());
    EXPECT_EQ(m_form->CurrentFile(), "Untitled.tt");
}

TEST_F(DocumentLifecycle, OpenDialogShowsThePreviousNameOnlyAfterYes) {
    const QString path = OpenChanged("ship.odf", "a = 1\r\n");
    m_desktop.QueueAnswer(Answer::Yes);
    m_desktop.QueueDialogCancel();
    m_form->tb_openClick();
    ASSERT_EQ(Shown(Kind::OpenDialog).size(), 1u);
    EXPECT_EQ(Shown(Kind::OpenDialog)[0].dialog.fileName, path);
    EXPECT_EQ(Shown(Kind::OpenDialog)[0].dialog.filter,
              "ODF and TT Files|*.odf;*.tt|Text files|*.txt|All files|*.*");
    EXPECT_EQ(m_form->CurrentFile(), path);
    EXPECT_FALSE(Editor().Modified());

    Type("again");
    m_desktop.QueueAnswer(Answer::No);
    m_desktop.QueueFileChoice(PathOf("ship.odf"));
    m_form->tb_openClick();
    EXPECT_EQ(Shown(Kind::OpenDialog)[1].dialog.fileName, "");
    EXPECT_EQ(Editor().toPlainText(), "typed a = 1\n");
    EXPECT_EQ(m_form->windowTitle(), "ship.odf - VARKO");
    EXPECT_EQ(Editor().textCursor().position(), 0);
}

TEST_F(DocumentLifecycle, FailedLoadsAndSavesChangeNothingAndShowTheirMessage) {
    const QString path = OpenChanged("ship.odf", "a = 1\r\n");
    m_desktop.QueueFileChoice(PathOf("missing.odf"));
    m_desktop.QueueFileChoice(PathOf("no/such/dir"));
    m_desktop.QueueAnswer(Answer::No);
    m_form->Menu().mi_Open->trigger();
    m_form->Menu().mi_SaveAs->trigger();
    const auto failures = Shown(Kind::Exception);
    ASSERT_EQ(failures.size(), 2u);
    EXPECT_EQ(failures[0].caption, "ship.odf - VARKO");
    EXPECT_EQ(failures[0].text, "Cannot open file " + PathOf("missing.odf") + ".");
    EXPECT_EQ(failures[1].text, "Cannot create file " + PathOf("no/such/dir") + ".");
    EXPECT_EQ(Document().SaveDialog().fileName, PathOf("no/such/dir"));
    EXPECT_EQ(m_form->CurrentFile(), path);
    EXPECT_EQ(Editor().toPlainText(), "typed a = 1\n");
    EXPECT_TRUE(Editor().Modified());
    EXPECT_EQ(m_form->windowTitle(), "ship.odf - VARKO");
}

TEST_F(DocumentLifecycle, AFailedSaveAfterYesEndsThePendingCommand) {
    Type("text");
    m_desktop.QueueAnswer(Answer::Yes);
    m_desktop.QueueFileChoice(PathOf("no/such/dir/ship"));
    m_form->ToolBar().tb_New->trigger();
    ASSERT_EQ(Shown(Kind::Exception).size(), 1u);
    EXPECT_EQ(Shown(Kind::Exception)[0].text, "Cannot create file " + PathOf("no/such/dir/ship.odf") + ".");
    EXPECT_EQ(Document().SaveDialog().fileName, PathOf("no/such/dir/ship.odf"));
    EXPECT_EQ(Editor().toPlainText(), "text");
    EXPECT_EQ(m_form->CurrentFile(), "Untitled.odf");
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
        m_form = MakeForm({PathOf("c.odf")});
        m_form->show();
        m_desktop.ClearHistory();
        if (row.changed) {
            Type("x");
            m_desktop.QueueAnswer(row.answer);
        }
        m_form->Menu().mi_Bye->trigger();
        EXPECT_EQ(m_form->isVisible(), !row.closes);
        EXPECT_EQ(Shown(Kind::Confirm).size(), row.changed ? 1u : 0u);
        EXPECT_EQ(ReadFile(PathOf("c.odf")), "c\r\n");
        EXPECT_EQ(m_form->Editor()->toPlainText(), row.changed ? "xc\n" : "c\n");
    }
}

TEST_F(DocumentLifecycle, DropsOpenTheFirstFileWithItsWholePath) {
    const QString longName = QString(250, QLatin1Char('d')) + ".odf";
    WriteFile(PathOf(longName), "dropped");
    WriteFile(PathOf("second.odf"), "second");
    ASSERT_GT(PathOf(longName).size(), 259);
    m_form->show(); // the window takes drops once it is shown
    Type("changed");
    m_desktop.QueueAnswer(Answer::No);
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(PathOf(longName)), QUrl::fromLocalFile(PathOf("second.odf"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_form.get(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_form.get(), &drop);
    EXPECT_EQ(Shown(Kind::Confirm).size(), 1u);
    EXPECT_EQ(m_form->CurrentFile(), PathOf(longName));
    EXPECT_EQ(Editor().toPlainText(), "dropped");
    EXPECT_EQ(m_form->windowTitle(), longName + " - VARKO");
    m_form->WMDropFiles({});
    EXPECT_EQ(m_form->CurrentFile(), PathOf(longName));
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
    m_form->LoadFile(PathOf("big.odf"));
    Editor().setPlainText(QString(64 * 1024, QLatin1Char('y')));
    {
        FileSizeLimit limit(4096);
        m_form->Menu().mi_Save->trigger();
    }
    ASSERT_EQ(Shown(Kind::Exception).size(), 1u);
    EXPECT_EQ(Shown(Kind::Exception)[0].text, "Cannot create file " + PathOf("big.odf") + ".");
    EXPECT_EQ(ReadFile(PathOf("big.odf")), old);
    EXPECT_EQ(QDir(PathOf("")).entryList(QDir::Files), QStringList({"big.odf"}));
    EXPECT_TRUE(Editor().Modified());
}

} // namespace
} // namespace varko::maintree
