#include "app_dir_fixture.h"
#include "varko/maintree/session/recovery_record.h"
#include "vnc_keyboard.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <csignal>

namespace varko {
namespace {

using testing::VncKeyboard;

// The real program, killed with SIGKILL in the middle of an edit, and started again. It runs on
// Qt's VNC platform so the test can type into it as a user would; its program directory is a
// temporary one holding a copy of the binary, its data files and an accepted prefs.ini.
class KilledMidEdit : public testing::AppDirFixture {
protected:
    void SetUp() override {
        AppDirFixture::SetUp();
        WriteAcceptedPrefs();
        for (const char* name : {"declarations.txt", "ignorefiles.txt", "proplib.txt"})
            WriteFile(AppDir() + name, ReadFile(QStringLiteral(VARKO_SOURCE_DIR "/data/") + name));
        ASSERT_TRUE(QFile::copy(QStringLiteral(VARKO_BINARY), AppDir() + "varko"));
    }
    void TearDown() override {
        if (m_program.state() != QProcess::NotRunning) {
            ::kill(static_cast<pid_t>(m_program.processId()), SIGKILL);
            m_program.waitForFinished();
        }
        AppDirFixture::TearDown();
    }

    // Starts the program and connects a keyboard once its first picture is on screen. Pictures
    // are asked for only after the program has settled: Qt's VNC server can fail on a request
    // that comes while a program starts with a document.
    bool Start(VncKeyboard& keyboard, const QStringList& arguments) {
        const int port = VncKeyboard::FreePort();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", QStringLiteral("vnc:size=900x700:port=%1").arg(port));
        m_program.setProcessEnvironment(environment);
        m_program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_program.start(AppDir() + "varko", arguments);
        // The lock file is taken while the window is built.
        if (!m_program.waitForStarted() || !QTest::qWaitFor([&] { return !Locks().isEmpty(); }, 20000))
            return false;
        QTest::qWait(1000);
        const bool shown = keyboard.Connect(port, 20000) && keyboard.WaitForPicture(20000);
        if (!shown)
            ADD_FAILURE() << "program state " << m_program.state() << ", exit code " << m_program.exitCode();
        return shown;
    }
    bool KillProgram() {
        ::kill(static_cast<pid_t>(m_program.processId()), SIGKILL);
        return m_program.waitForFinished(10000) && m_program.exitStatus() == QProcess::CrashExit;
    }
    QStringList Locks() const {
        return QDir(AppDir() + ".recovery").entryList({"*.lock"}, QDir::Files | QDir::Hidden);
    }
    QStringList Copies() const {
        return QDir(AppDir() + ".recovery").entryList({"*.recovery"}, QDir::Files | QDir::Hidden);
    }
    // The running program's recovery copy, once one holds `text`.
    std::optional<maintree::RecoveryRecord> CopyHolding(const QByteArray& text, int ms) const {
        std::optional<maintree::RecoveryRecord> record;
        const bool found = QTest::qWaitFor(
            [&] {
                for (const QString& name : Copies()) {
                    record = maintree::DecodeRecovery(ReadFile(AppDir() + ".recovery/" + name).toStdString());
                    if (record->bytes == text.toStdString())
                        return true;
                }
                record.reset();
                return false;
            },
            ms);
        return found ? record : std::nullopt;
    }

    QProcess m_program;
};

TEST_F(KilledMidEdit, TheNextStartRestoresTheExactBytesAsAModifiedDocument) {
    // Bytes beyond ASCII and a tab come from the file; the rest is typed.
    const QByteArray original("[Ship]\r\nname=\"Caf\xe9\"\r\n\thull=1\r\n");
    const QString document = PathOf("ship.odf");
    WriteFile(document, original);
    const QByteArray edited("speed=3\n[Ship]\nname=\"Caf\xe9\"\n\thull=1\n");
    {
        VncKeyboard keyboard;
        ASSERT_TRUE(Start(keyboard, {document}));
        ASSERT_TRUE(keyboard.Type("speed=3") && keyboard.Press(VncKeyboard::kReturn));
        const std::optional<maintree::RecoveryRecord> copy = CopyHolding(edited, 20000);
        ASSERT_TRUE(copy) << "no recovery copy holds the edit";
        EXPECT_EQ(copy->documentName, QFile::encodeName(document).toStdString());
        EXPECT_FALSE(copy->untitled);
        ASSERT_TRUE(KillProgram());
    }
    EXPECT_EQ(ReadFile(document), original) << "the user's file is never written by recovery";
    const QStringList killedCopies = Copies();

    VncKeyboard keyboard;
    ASSERT_TRUE(Start(keyboard, {}));
    // Restore is the box's default button. Once the document is back, its copy is the new
    // program's own and Ctrl+S writes it; the save may need a few tries while the window comes up.
    ASSERT_TRUE(keyboard.Press(VncKeyboard::kReturn));
    const QByteArray saved("speed=3\r\n[Ship]\r\nname=\"Caf\xe9\"\r\n\thull=1\r\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Copies().isEmpty() && Copies() != killedCopies; }, 20000))
        << "the killed program's copy becomes the new program's own once restored";
    ASSERT_TRUE(CopyHolding(edited, 1000)) << "the restored document is modified, with its copy kept";
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            if (ReadFile(document) == saved)
                return true;
            keyboard.Press('s', true);
            return false;
        },
        20000))
        << ReadFile(document).toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return Copies().isEmpty(); }, 5000)) << "a save removes the copy";
}

} // namespace
} // namespace varko
