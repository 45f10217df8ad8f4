#include "run_harness.h"

#include "varko/compiler/check_run.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QTest>

namespace varko::testing {

namespace {

using maintree::RunButtonState;
using maintree::StatusPanel;
constexpr RunButtonState Idle = RunButtonState::Idle;
constexpr RunButtonState Running = RunButtonState::Running;

// A document of every kind of line the checker knows, with faults throughout.
QStringList MixedDocument(int lineCount) {
    const QStringList kinds = {
        QStringLiteral("unitName = \"Tank %1\""),
        QStringLiteral("aiPriority = %1"),
        QStringLiteral("aiPriority = x%1"),
        QStringLiteral("aiFlee = %1"),
        QStringLiteral("baseClass = unit%1"),
        QStringLiteral("geometryName = tank%1"),
        QStringLiteral("// note %1"),
        QStringLiteral("noSuchThing%1 = 1"),
        QStringLiteral("aiCombatRange = %1.5f"),
        QStringLiteral("#include \"unitbase.odf\" extra%1"),
    };
    QStringList lines;
    for (int i = 0; i < lineCount; ++i)
        lines << kinds[i % kinds.size()].arg(i);
    return lines;
}

// Types, replaces and deletes text in the editor, as a user would while a check runs.
void EditSomewhere(maintree::EditorPane& editor, QRandomGenerator& random) {
    const int lines = std::max(1, editor.lineCount());
    const int line = static_cast<int>(random.bounded(lines));
    switch (random.bounded(3)) {
    case 0:
        editor.setSelStart(editor.startOfLine(line));
        QTest::keyClicks(&editor, QStringLiteral("zz = 1"));
        QTest::keyClick(&editor, Qt::Key_Return);
        break;
    case 1:
        editor.replaceLine(line, QStringLiteral("edited%1 = q").arg(line));
        break;
    default:
        editor.setSelStart(editor.startOfLine(line));
        QTest::keyClick(&editor, Qt::Key_Delete);
        break;
    }
}

TEST_F(RunHarness, StressChecksWhileTheDocumentIsEdited) {
    QRandomGenerator random(20240611);
    SetText(MixedDocument(10000));
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        const QStringList snapshot = m_editor->lines();
        const QStringList expected = ExpectedMessages(snapshot, "Untitled.odf");
        m_run->startOrStop();
        const bool stopEarly = round == 1;
        int editsWhileRunning = 0;
        do {
            EditSomewhere(*m_editor, random);
            ++editsWhileRunning;
            if (stopEarly && m_messageList->count() > 0 && m_run->runButtonState() == Running)
                m_run->startOrStop();
            QCoreApplication::processEvents();
        } while (m_run->running());

        EXPECT_GT(editsWhileRunning, 0);
        EXPECT_EQ(m_run->runButtonState(), Idle);
        EXPECT_EQ(m_runButton->toolTip(), QStringLiteral("Run debugger..."));
        const QStringList found = Messages();
        if (stopEarly) {
            ASSERT_LE(found.size(), expected.size());
            EXPECT_EQ(found, expected.first(found.size()));
        } else {
            EXPECT_EQ(found, expected);
        }
        EXPECT_EQ(m_status->panelText(StatusPanel::CheckResult),
                  QString::fromStdString(compiler::SummaryText(static_cast<int>(found.size()))));
    }
}

} // namespace

} // namespace varko::testing
