#include "run_harness.h"

#include "varko/maintree/window/tool_bar.h"

#include "varko/compiler/data_files.h"
#include "varko/compiler/settings.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QTextDocument>
#include <QVBoxLayout>

namespace varko::testing {

namespace {

class ListSink : public compiler::CheckSink {
public:
    void RunStarted(int) override { texts.clear(); }
    void MessageFound(const compiler::Finding& finding) override {
        texts << QString::fromLatin1(compiler::MessageText(finding));
    }
    void ProgressStep() override {}
    void RunFinished(int) override {}
    void RunFailed(const std::string& text) override { ADD_FAILURE() << text; }

    QStringList texts;
};

} // namespace

QString RunHarness::SourcePath(const QString& relative) {
    return QStringLiteral(VARKO_SOURCE_DIR "/") + relative;
}

void RunHarness::SetUp() {
    ASSERT_TRUE(m_dir.isValid());
    m_startDir = QDir::currentPath();
    ASSERT_TRUE(QDir().mkpath(AppDir()));
    for (const char* name : {compiler::kDeclarationsFile, compiler::kIgnoreFilesFile})
        ASSERT_TRUE(QFile::copy(SourcePath(QStringLiteral("data/") + name), AppDir() + name));
    m_environment = std::make_unique<compiler::CheckEnvironment>(QFile::encodeName(AppDir()).toStdString());
    ASSERT_TRUE(m_environment
                    ->SetGameDirs({SourcePath(QStringLiteral("examples/addon")).toStdString()},
                                  {SourcePath(QStringLiteral("examples/sod")).toStdString()})
                    .empty());

    m_editor = new maintree::EditorPane(&m_host);
    m_messageSplitter = new QWidget(&m_host);
    m_messageList = new QListWidget(&m_host);
    m_status = new maintree::StatusPanels(&m_host);
    m_runButton = new QAction(QStringLiteral("Run"), &m_host);
    maintree::ShowRunButtonState(*m_runButton, maintree::RunButtonState::Idle);
    auto* column = new QVBoxLayout(&m_host);
    for (QWidget* part : {static_cast<QWidget*>(m_editor), m_messageSplitter,
                          static_cast<QWidget*>(m_messageList), static_cast<QWidget*>(m_status)})
        column->addWidget(part);
    m_messageList->hide();
    m_messageSplitter->hide();
    // Shown windows stay below 131,072 pixels: Qt converts larger images on its own thread pool,
    // whose locking ThreadSanitizer cannot see.
    m_host.resize(320, 240);

    maintree::CheckRunWidgets widgets{
        [this](maintree::RunButtonState state) {
            m_buttonStates.push_back(state);
            maintree::ShowRunButtonState(*m_runButton, state);
        },
        m_messageList,
        m_messageSplitter,
        m_status,
        [this](const QString& text) { m_status->setPanelText(maintree::StatusPanel::CheckResult, text); },
        [this](std::vector<compiler::Finding> findings) {
            QStringList texts;
            for (const compiler::Finding& finding : findings)
                texts << QString::fromLatin1(compiler::MessageText(finding));
            m_faultsHanded.push_back(texts);
        }};
    maintree::CheckRunSources sources{[this] { return m_editor->document()->toRawText(); },
                                      [this] { return m_currentFile; }, m_environment.get(),
                                      [this](const QString& text) { m_desktop.ShowError(text); }};
    m_run = std::make_unique<maintree::CheckRun>(std::move(widgets), std::move(sources));
}

void RunHarness::TearDown() {
    m_run.reset();
    EXPECT_EQ(QDir::currentPath(), m_startDir) << "check runs never move the current directory";
    QDir::setCurrent(m_startDir);
}

void RunHarness::WriteFile(const QString& path, const QByteArray& bytes) const {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

void RunHarness::SetText(const QStringList& lines) {
    m_editor->setPlainText(lines.join(QLatin1Char('\n')));
}

void RunHarness::WaitIdle() {
    ASSERT_TRUE(QTest::qWaitFor([this] { return !m_run->running(); }, 60000)) << "the run did not end";
}

QStringList RunHarness::Messages() const {
    QStringList texts;
    for (int i = 0; i < m_messageList->count(); ++i)
        texts << m_messageList->item(i)->text();
    return texts;
}

QStringList RunHarness::ExpectedMessages(const QStringList& lines, const std::string& currentFile) {
    textrules::LineList bytes;
    for (const QString& line : lines)
        bytes.push_back(line.toLatin1().toStdString());
    m_environment->Refresh();
    const std::atomic<bool> stop{false};
    ListSink sink;
    compiler::CheckDocument(bytes, compiler::KindOfPath(currentFile), *m_environment, stop, sink);
    return sink.texts;
}

} // namespace varko::testing
