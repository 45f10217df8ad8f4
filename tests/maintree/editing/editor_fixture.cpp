#include "editor_fixture.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHelpEvent>
#include <QTest>
#include <QToolTip>

namespace varko::maintree::testing {

EditorFixture::EditorFixture() {
    m_editor.resize(600, 400);
    m_editor.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&m_editor));
}

void EditorFixture::Load(const QString& text) {
    m_editor.setPlainText(text);
    Settle();
}

void EditorFixture::Settle() {
    QElapsedTimer clock;
    clock.start();
    while (!m_editor.isHighlightingDone() && clock.elapsed() < 20000)
        QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    ASSERT_TRUE(m_editor.isHighlightingDone());
}

QTextBlock EditorFixture::Block(int line) const {
    return m_editor.document()->findBlockByNumber(line - 1);
}

void EditorFixture::PutCaret(int line, int column) {
    QTextCursor cursor(Block(line));
    cursor.setPosition(cursor.position() + column - 1);
    m_editor.setTextCursor(cursor);
}

std::vector<int> EditorFixture::MarkedLines() const {
    std::vector<int> lines;
    for (QTextBlock block = m_editor.document()->begin(); block.isValid(); block = block.next()) {
        if (!m_editor.faultTextOf(block).isEmpty())
            lines.push_back(block.blockNumber() + 1);
    }
    return lines;
}

QPoint EditorFixture::CentreOf(int line, int column) const {
    QTextCursor cursor(Block(line));
    cursor.setPosition(cursor.position() + column - 1);
    return m_editor.cursorRect(cursor).center();
}

QString EditorFixture::ToolTipAt(QWidget* widget, const QPoint& at) {
    // QToolTip::hideText hides only after a delay; the tip shown before must go now.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->inherits("QTipLabel"))
            window->hide();
    }
    QHelpEvent event(QEvent::ToolTip, at, widget->mapToGlobal(at));
    QApplication::sendEvent(widget, &event);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

QStringList EditorFixture::UnderlinedTexts() const {
    // The editor sets its selections once the edit or move that changed them is over.
    QCoreApplication::processEvents();
    QStringList texts;
    for (const QTextEdit::ExtraSelection& selection : m_editor.extraSelections()) {
        if (selection.format.underlineStyle() == QTextCharFormat::WaveUnderline)
            texts << selection.cursor.selectedText();
    }
    return texts;
}

std::vector<int> EditorFixture::UnderlinedLines() const {
    QCoreApplication::processEvents();
    std::vector<int> lines;
    for (const QTextEdit::ExtraSelection& selection : m_editor.extraSelections()) {
        if (selection.format.underlineStyle() == QTextCharFormat::WaveUnderline)
            lines.push_back(selection.cursor.blockNumber() + 1);
    }
    return lines;
}

void Replace(QTextDocument& document, int from, int to, const QString& text) {
    QTextCursor cursor(&document);
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    cursor.insertText(text);
}

compiler::Finding FindingAt(int line, int column, const std::string& code, std::vector<std::string> parts) {
    return compiler::Finding{line, column, code, std::move(parts)};
}

QString MessageOf(const compiler::Finding& finding) {
    return QString::fromStdString(compiler::MessageText(finding));
}

QString NumberedLines(int count) {
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << QStringLiteral("line %1").arg(i);
    return lines.join(QLatin1Char('\n'));
}

} // namespace varko::maintree::testing
