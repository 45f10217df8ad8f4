#include "session_fixture.h"
#include "varko/platform/scripted_desktop.h"
#include "varko/maintree/session/recovery_store.h"

#include <QDeadlineTimer>
#include <QFile>

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace varko::maintree {
namespace {

using platform::ScriptedDesktop;

// The child editor, started with fork and exec from here (not through QProcess), so that the
// thread sanitizer sees the fork; its standard output comes back through a pipe.
class RecoveryCrashTest : public testing::SessionFixture {
protected:
    void TearDown() override {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
        if (m_output >= 0)
            ::close(m_output);
    }
    // Starts the child editor and waits for its "ready" line; the recovery file's path.
    QString StartEditing(const QString& documentName, const QByteArray& text) {
        const QByteArray source = QFile::encodeName(WriteFile("typed.bin", text));
        const QByteArray appDir = QFile::encodeName(AppDir()), name = QFile::encodeName(documentName);
        const char* argv[] = {VARKO_RECOVERY_CHILD, appDir.constData(), name.constData(), source.constData(),
                              nullptr};
        int pipeEnds[2];
        if (::pipe2(pipeEnds, O_CLOEXEC) != 0)
            return {};
        m_pid = ::fork();
        if (m_pid == 0) {
            ::dup2(pipeEnds[1], STDOUT_FILENO);
            ::execv(argv[0], const_cast<char* const*>(argv));
            ::_exit(127);
        }
        ::close(pipeEnds[1]);
        m_output = pipeEnds[0];
        const QByteArray line = ReadLine(20000);
        return line.startsWith("ready ") ? QString::fromLocal8Bit(line.mid(6)) : QString();
    }
    // One line of the child's output, without its line break; empty at the timeout.
    QByteArray ReadLine(int ms) {
        QByteArray line;
        QDeadlineTimer deadline(ms);
        char c = 0;
        while (!deadline.hasExpired()) {
            pollfd ready{m_output, POLLIN, 0};
            if (::poll(&ready, 1, static_cast<int>(deadline.remainingTime())) <= 0 ||
                ::read(m_output, &c, 1) != 1)
                break;
            if (c == '\n')
                return line;
            line += c;
        }
        return {};
    }
    // Kills the child the way a crash ends it; true when it ended by that signal.
    bool KillChild() {
        int status = 0;
        const bool killed = ::kill(m_pid, SIGKILL) == 0 && ::waitpid(m_pid, &status, 0) == m_pid;
        m_pid = -1;
        return killed && WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
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

    pid_t m_pid = -1;
    int m_output = -1;
    ScriptedDesktop m_desktop;
};

TEST_F(RecoveryCrashTest, AKilledEditorsChangesAreOfferedWithTheirExactBytes) {
    QByteArray text;
    for (int round = 0; round < 40; ++round)
        text += testing::AllBytes();
    const QString copy = StartEditing("/x/crash.odf", text);
    ASSERT_FALSE(copy.isEmpty()) << "the child never said it was ready";
    EXPECT_TRUE(QFile::exists(copy));

    std::vector<RecoveredDocument> restored;
    {
        RecoveryStore meanwhile(RecoveryStore::FolderFor(AppDir()));
        EXPECT_EQ(Offer(meanwhile, restored, false), 0);
        EXPECT_TRUE(m_desktop.History().empty()) << "the running editor's copy is not offered";
    }

    ASSERT_TRUE(KillChild());

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
} // namespace varko::maintree
