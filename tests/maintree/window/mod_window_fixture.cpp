#include "mod_window_fixture.h"

#include "varko/maintree/document/documents.h"
#include "varko/maintree/editor/editor_pane.h"
#include "varko/maintree/window/status_panels.h"

#include <QSignalSpy>
#include <QTest>

namespace varko::maintree {

void ModWindowFixture::SetUp() {
    AppFixture::SetUp();
    WriteAcceptedPrefs();
    WriteFile(AppDir() + QStringLiteral("declarations.txt"),
              "baseClass=odf\r\nunitName=string\r\nhull=int\r\nmaxHealth=int\r\n");
    WriteModFile("tank.odf", "unitName = \"Tank\"\r\n");
    WriteModFile("base.odf", "hull = 1\r\n");
}

void ModWindowFixture::WriteModFile(const char* name, const QByteArray& bytes) const {
    WriteFile(PathOf(QString::fromLatin1(name)), bytes);
}

void ModWindowFixture::Start(const QStringList& arguments) {
    m_window = MakeWindow(arguments);
    m_window->show();
    m_window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    Editor().setFocus();
}

void ModWindowFixture::Open(const char* name) const {
    m_window->documents().openFile(PathOf(QString::fromLatin1(name)));
}

EditorPane& ModWindowFixture::Editor() const {
    return m_window->editor();
}

QString ModWindowFixture::StatusMessage() const {
    return m_window->statusPanels().currentMessage();
}

QString ModWindowFixture::MarksOfLine(int line) const {
    return Editor().faultTextOf(Editor().document()->findBlockByNumber(line - 1));
}

bool ModWindowFixture::WaitForLiveCheck(int deliveries) const {
    QSignalSpy ready(&Features().liveChecker(), &maintree::LiveChecker::findingsReady);
    return QTest::qWaitFor(
        [&] { return ready.count() >= deliveries && !Features().liveChecker().isChecking(); }, 10000);
}

} // namespace varko::maintree
