#include "session_fixture.h"
#include "varko/platform/scripted_desktop.h"
#include "varko/session/recovery_store.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <csignal>

namespace varko::session {
namespace {

using platform::ScriptedDesktop;

class RecoveryCrashTest : public testing::SessionFixture {
protected:
    void TearDown() override {
        if (m_child.state() != QProcess::NotRunning) {
            m_child.kill();
            m_child.waitForFinished();
        }
    }
    // Starts the child editor and waits for its "ready" line; the recovery file's path.
    QString StartEditing(const QString& documentName, const QByteArray& text) {
        const QString source = WriteFile("typed.bin", text);
        m_child.start(QStringLiteral(VARKO_RECOVERY_CHILD), {AppDir(), documentName, source});
        if (!m_child.waitForStarted(10000))
            return {};
        QByteArray line;
        while (!line.endsWith('\n') && m_child.waitForReadyRead(20000))
            line += m_child.readLine();
        return line.startsWith("ready ") ? QString::fromLocal8Bit(line.mid(6).trimmed()) : QString();
    }
    // Answers Restore when `answer` is set; unanswered boxes count as closed.
    int Offer(RecoveryStore& store, std::vector<RecoveredDocument>& restored, bool answer) {
        if (answer)
            m_desktop.QueueChoice(0);
        return store.offerOrphans(m_desktop, [&](const RecoveredDocument& document) {
            restored.push_back(document);
            return true;
        });
    }

    QProcess m_child;
    ScriptedDesktop m_desktop;
};

TEST_F(RecoveryCrashTest, AKilledEditorsChangesAreOfferedWithTheirExactBytes) {
    QByteArray text;
    for (int round = 0; round < 40; ++round)
        text += testing::AllBytes();
    const QString copy = StartEditing("/x/crash.odf", text);
    ASSERT_FALSE(copy.isEmpty()) << m_child.readAllStandardError().toStdString();
    EXPECT_TRUE(QFile::exists(copy));

    std::vector<RecoveredDocument> restored;
    {
        RecoveryStore meanwhile(RecoveryStore::FolderFor(AppDir()));
        EXPECT_EQ(Offer(meanwhile, restored, false), 0);
        EXPECT_TRUE(m_desktop.History().empty()) << "the running editor's copy is not offered";
    }

    ASSERT_EQ(::kill(static_cast<pid_t>(m_child.processId()), SIGKILL), 0);
    ASSERT_TRUE(m_child.waitForFinished(10000));
    EXPECT_EQ(m_child.exitStatus(), QProcess::CrashExit);

    RecoveryStore next(RecoveryStore::FolderFor(AppDir()));
    ASSERT_EQ(Offer(next, restored, true), 1);
    ASSERT_EQ(m_desktop.Of(ScriptedDesktop::Kind::Choose).size(), 1u);
    EXPECT_EQ(m_desktop.Of(ScriptedDesktop::Kind::Choose)[0].text,
              "Varko found unsaved changes to /x/crash.odf from a session that did not end normally.");
    ASSERT_EQ(restored.size(), 1u);
    EXPECT_EQ(restored[0].documentName, "/x/crash.odf");
    EXPECT_FALSE(restored[0].untitled);
    EXPECT_TRUE(restored[0].complete);
    EXPECT_TRUE(restored[0].bytes == text)
        << "restored " << restored[0].bytes.size() << " of " << text.size();
    EXPECT_FALSE(QFile::exists(copy)) << "the killed editor's copy became the new editor's own";
    EXPECT_TRUE(QFile::exists(next.recoveryFile()));
}

} // namespace
} // namespace varko::session
