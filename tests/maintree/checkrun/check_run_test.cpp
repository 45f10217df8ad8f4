#include "run_harness.h"

#include "varko/compiler/data_files.h"
#include "varko/maintree/editor/editor_text.h"

#include <QFile>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

namespace varko::testing {

namespace {

using maintree::RunButtonState;
using maintree::StatusPanel;
constexpr RunButtonState Idle = RunButtonState::Idle;
constexpr RunButtonState Running = RunButtonState::Running;

struct GoldenSection {
    QString summary;
    QStringList messages;
};

// The summary and the messages listed for one sample file in examples/EXPECTED.md.
GoldenSection ReadGolden(const QString& file) {
    QFile golden(QStringLiteral(VARKO_SOURCE_DIR "/examples/EXPECTED.md"));
    EXPECT_TRUE(golden.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(golden.readAll()).split(QLatin1Char('\n'));
    GoldenSection section;
    const qsizetype heading = lines.indexOf(QStringLiteral("## ") + file);
    EXPECT_GE(heading, 0) << file.toStdString();
    if (heading < 0)
        return section;
    section.summary = lines.value(heading + 2);
    qsizetype at = lines.indexOf(QStringLiteral("```text"), heading) + 1;
    for (; at > 0 && at < lines.size() && lines[at] != QStringLiteral("```"); ++at)
        section.messages << lines[at];
    return section;
}

// Records the progress bar as it is when it comes on screen.
class ProgressWatch : public QObject {
public:
    explicit ProgressWatch(QWidget* statusBar) : m_statusBar(statusBar) { qApp->installEventFilter(this); }
    ~ProgressWatch() override { qApp->removeEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* bar = qobject_cast<QProgressBar*>(watched);
        if (event->type() == QEvent::Show && bar && bar->parentWidget() == m_statusBar) {
            geometry = bar->geometry();
            maximum = bar->maximum();
            ++shown;
        }
        return false;
    }

    QWidget* m_statusBar;
    QRect geometry;
    int maximum = -1;
    int shown = 0;
};

class CheckRunTest : public RunHarness {
protected:
    void LoadDocument(const QString& relative) {
        m_editor->loadFromFile(SourcePath(relative));
        m_currentFile = SourcePath(relative);
    }
    void ExpectIdle() {
        EXPECT_FALSE(m_run->running());
        EXPECT_EQ(m_run->runButtonState(), Idle);
        ASSERT_FALSE(m_buttonStates.empty());
        EXPECT_EQ(m_buttonStates.back(), Idle);
        EXPECT_EQ(m_runButton->toolTip(), QStringLiteral("Run debugger..."));
        EXPECT_EQ(m_status->findChildren<QProgressBar*>().size(), 0);
    }
    void ExpectListShown(bool shown) {
        EXPECT_EQ(m_messageList->isVisibleTo(&m_host), shown);
        EXPECT_EQ(m_messageSplitter->isVisibleTo(&m_host), shown);
    }
};

// The run reads the document's raw text; its lines must be the editor's own.
TEST(RawTextLines, AreTheEditorsWholeLines) {
    const struct {
        const char* name;
        QByteArray file;
    } rows[] = {
        {"empty", ""},
        {"one line without a break", "a = 1"},
        {"trailing break", "a = 1\r\n"},
        {"empty lines at the end", "a = 1\n\n\n"},
        {"only breaks", "\r\n\r\n"},
        {"mixed breaks", "a\rb\nc\r\nd"},
        {"eight-bit characters", "name = \"caf\xe9\xa0\xff\""},
        {"long line", QByteArray(5000, 'x') + "\nshort"},
    };
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = dir.filePath(QStringLiteral("doc.odf"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(row.file);
        file.close();
        maintree::EditorPane editor;
        editor.loadFromFile(path);
        // The checkers see each line whole, past the editor's 4096-character line operations.
        textrules::LineList expected;
        for (int i = 0; i < editor.lineCount(); ++i)
            expected.push_back(editor.document()->findBlockByNumber(i).text().toLatin1().toStdString());
        EXPECT_EQ(maintree::RawTextLines(editor.document()->toRawText()), expected);
        if (row.file.size() > 4096) {
            EXPECT_EQ(maintree::RawTextLines(editor.document()->toRawText()).front().size(), 5000u);
        }
    }
}

TEST_F(CheckRunTest, SampleDocumentsGiveTheGoldenMessages) {
    for (const QString& file : {QStringLiteral("addon/faulty.odf"), QStringLiteral("addon/faulty_tree.tt"),
                                QStringLiteral("addon/tank.odf"), QStringLiteral("addon/techtree.tt")}) {
        SCOPED_TRACE(file.toStdString());
        const GoldenSection golden = ReadGolden(file);
        LoadDocument(QStringLiteral("examples/") + file);
        m_run->startOrStop();
        WaitIdle();
        EXPECT_EQ(Messages(), golden.messages);
        EXPECT_EQ(m_status->panelText(StatusPanel::CheckResult), golden.summary);
        ExpectListShown(!golden.messages.isEmpty());
        ExpectIdle();
    }
}

TEST_F(CheckRunTest, CheckerFollowsTheExactExtension) {
    // A comment line is a fault in a tech tree only.
    const QString ttMessage = QStringLiteral("Line 1: Error - Comments are not allowed in tt files. They may "
                                             "cause the game to freeze during loading.");
    const struct {
        const char* currentFile;
        bool techTree;
    } rows[] = {{"Untitled.tt", true},       {"Untitled.odf", false},  {"/mods/tree.tt", true},
                {"/mods/TREE.TT", false},    {"/mods/tree.Tt", false}, {"notes", false},
                {"/mods/tree.tt.txt", false}};
    SetText({QStringLiteral("// note")});
    for (const auto& row : rows) {
        SCOPED_TRACE(row.currentFile);
        m_currentFile = QString::fromLatin1(row.currentFile);
        m_run->startOrStop();
        WaitIdle();
        EXPECT_EQ(Messages(), row.techTree ? QStringList{ttMessage} : QStringList{});
    }
}

TEST_F(CheckRunTest, ButtonListAndProgressWhileRunning) {
    QStringList lines;
    for (int i = 0; i < 3000; ++i)
        lines << QStringLiteral("unknown%1 = 1").arg(i);
    SetText(lines);
    m_host.show();
    ProgressWatch watch(m_status);
    QSignalSpy ended(m_run.get(), &maintree::CheckRun::runEnded);

    m_run->startOrStop();
    EXPECT_TRUE(m_run->running());
    EXPECT_EQ(m_run->runButtonState(), Running);
    EXPECT_EQ(m_buttonStates, std::vector<RunButtonState>{Running});
    EXPECT_EQ(m_runButton->toolTip(), QStringLiteral("Stop debugger..."));
    ExpectListShown(true);
    WaitIdle();

    EXPECT_EQ(watch.shown, 1);
    EXPECT_EQ(watch.geometry, QRect(52, 2, 148, 17));
    EXPECT_EQ(watch.maximum, 3000);
    EXPECT_EQ(ended.count(), 1);
    EXPECT_EQ(m_messageList->count(), 3000);
    EXPECT_EQ(m_status->panelText(StatusPanel::CheckResult), QStringLiteral("3000 error(s) found"));
    ExpectIdle();
}

TEST_F(CheckRunTest, EmptyDocumentHidesTheList) {
    SetText({QStringLiteral("nothing = here")});
    m_run->startOrStop();
    WaitIdle();
    ASSERT_EQ(m_messageList->count(), 1);

    SetText({});
    m_run->startOrStop();
    WaitIdle();
    EXPECT_EQ(m_messageList->count(), 0);
    EXPECT_EQ(m_status->panelText(StatusPanel::CheckResult), QStringLiteral("No errors found"));
    ExpectListShown(false);
    ExpectIdle();
}

TEST_F(CheckRunTest, RunPressedTwiceStopsWithTheMessagesFoundSoFar) {
    QStringList lines;
    for (int i = 0; i < 200000; ++i)
        lines << QStringLiteral("unknown%1 = 1").arg(i);
    SetText(lines);
    const QStringList all = ExpectedMessages(lines, "Untitled.odf");

    m_run->startOrStop();
    ASSERT_TRUE(QTest::qWaitFor([this] { return m_messageList->count() > 0; }, 60000));
    m_run->startOrStop();
    // A press while the stopped worker winds down changes nothing.
    m_run->startOrStop();
    WaitIdle();

    const QStringList found = Messages();
    ASSERT_GT(found.size(), 0);
    EXPECT_LT(found.size(), all.size());
    EXPECT_EQ(found, all.first(found.size()));
    EXPECT_EQ(m_status->panelText(StatusPanel::CheckResult),
              QStringLiteral("%1 error(s) found").arg(found.size()));
    ExpectListShown(true);
    ExpectIdle();
    EXPECT_EQ(m_buttonStates, (std::vector<RunButtonState>{Running, Idle}));
    // The editor's fault marks are what the list shows.
    EXPECT_EQ(m_faultsHanded, std::vector<QStringList>{found});
}

TEST_F(CheckRunTest, LinesAreTakenWhenTheRunStarts) {
    SetText({QStringLiteral("before = 1"), QStringLiteral("second = 2")});
    m_run->startOrStop();
    m_editor->replaceLine(0, QStringLiteral("after = 1"));
    m_editor->appendPlainText(QStringLiteral("third = 3"));
    WaitIdle();
    EXPECT_EQ(Messages(), (QStringList{QStringLiteral("Line 1: Error - Unknown command: before = 1"),
                                       QStringLiteral("Line 2: Error - Unknown command: second = 2")}));
}

TEST_F(CheckRunTest, UnreadableDeclarationsShowTheErrorBoxAndEndIdle) {
    SetText({QStringLiteral("nothing = here")});
    m_run->startOrStop();
    WaitIdle();
    ASSERT_TRUE(QFile::remove(AppDir() + compiler::kDeclarationsFile));

    m_run->startOrStop();
    WaitIdle();
    const auto errors = m_desktop.Of(platform::ScriptedDesktop::Kind::Error);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].text, QStringLiteral("Cannot access the declarations file \"declarations.txt\"!"));
    // Nothing was checked: the run ends without messages, and the last run's summary is gone.
    EXPECT_TRUE(Messages().isEmpty());
    ASSERT_EQ(m_faultsHanded.size(), 2u);
    EXPECT_EQ(m_faultsHanded.back(), QStringList()) << "the last run's marks go with its messages";
    EXPECT_EQ(m_status->panelText(StatusPanel::CheckResult), QString());
    ExpectListShown(false);
    ExpectIdle();

    // Tech trees do not need the declarations.
    m_currentFile = QStringLiteral("Untitled.tt");
    SetText({QStringLiteral("tank.odf 0")});
    m_run->startOrStop();
    WaitIdle();
    EXPECT_EQ(m_desktop.Of(platform::ScriptedDesktop::Kind::Error).size(), 1u);
    EXPECT_EQ(m_status->panelText(StatusPanel::CheckResult), QStringLiteral("No errors found"));
}

TEST_F(CheckRunTest, EachRunReadsIgnoreFilesAndTheAddonDirectoryAfresh) {
    // An addon directory of the test's own, so that files can appear in it.
    const QString addon = PathOf(QStringLiteral("addon"));
    ASSERT_TRUE(QDir().mkpath(addon));
    ASSERT_TRUE(
        m_environment
            ->SetGameDirs({addon.toStdString()}, {SourcePath(QStringLiteral("examples/sod")).toStdString()})
            .empty());
    SetText({QStringLiteral("#include \"extra.odf\""), QStringLiteral("baseClass = newbase")});
    m_run->startOrStop();
    WaitIdle();
    EXPECT_EQ(Messages(), (QStringList{QStringLiteral("Line 1: Error - File not found: extra.odf"),
                                       QStringLiteral("Line 2: Error - File not found: newbase.odf")}));

    WriteFile(AppDir() + compiler::kIgnoreFilesFile, "EXTRA.ODF\r\n");
    WriteFile(addon + QStringLiteral("/newbase.odf"), "");
    m_run->startOrStop();
    WaitIdle();
    EXPECT_EQ(Messages(), QStringList{});
    EXPECT_EQ(m_status->panelText(StatusPanel::CheckResult), QStringLiteral("No errors found"));

    // A missing ignorefiles.txt is an empty list.
    ASSERT_TRUE(QFile::remove(AppDir() + compiler::kIgnoreFilesFile));
    m_run->startOrStop();
    WaitIdle();
    EXPECT_EQ(Messages(), QStringList{QStringLiteral("Line 1: Error - File not found: extra.odf")});
    EXPECT_TRUE(m_desktop.History().empty());
}

TEST_F(CheckRunTest, DestroyingARunningCheckStopsItAndCleansUp) {
    QStringList lines;
    for (int i = 0; i < 100000; ++i)
        lines << QStringLiteral("unknown%1 = 1").arg(i);
    SetText(lines);
    m_run->startOrStop();
    ASSERT_TRUE(
        QTest::qWaitFor([this] { return m_status->findChildren<QProgressBar*>().size() == 1; }, 60000));
    m_run.reset();
    EXPECT_EQ(m_status->findChildren<QProgressBar*>().size(), 0);
    EXPECT_LT(m_messageList->count(), lines.size());
}

} // namespace

} // namespace varko::testing
