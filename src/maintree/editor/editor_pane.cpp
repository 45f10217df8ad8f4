#include "varko/maintree/editor/editor_pane.h"

#include "varko/maintree/editor/editor_text.h"
#include "varko/maintree/editor/file_error.h"
#include "varko/textrules/atomic_file.h"
#include "varko/textrules/text_rules.h"

#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>

namespace varko::maintree {

namespace {

constexpr int kMaxLineLength = 4096;
// Clicks this close to the left edge select the whole line.
constexpr int kSelectionBarWidth = 6;

class QuietScope {
public:
    explicit QuietScope(int& depth) : m_depth(depth) { ++m_depth; }
    ~QuietScope() { --m_depth; }

private:
    int& m_depth;
};

} // namespace

EditorPane::EditorPane(QWidget* parent) : maintree::CodeEditor(parent) {
    setObjectName(QStringLiteral("editor"));
    setAccessibleName(QStringLiteral("Editor"));
    setLineWrapMode(NoWrap);
    setTabChangesFocus(false);
    setContextMenuPolicy(Qt::CustomContextMenu);
    document()->setDocumentMargin(kSelectionBarWidth + 2);
    QFont typewriter(QStringLiteral("Courier New"));
    typewriter.setStyleHint(QFont::TypeWriter);
    setFont(typewriter);
    // The selection is not drawn while another control has the focus.
    QPalette colours = palette();
    colours.setColor(QPalette::Inactive, QPalette::Highlight,
                     colours.color(QPalette::Inactive, QPalette::Base));
    colours.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     colours.color(QPalette::Inactive, QPalette::Text));
    setPalette(colours);
    connect(document(), &QTextDocument::contentsChange, this, &EditorPane::onContentsChange);
}

void EditorPane::onContentsChange(int, int removed, int added) {
    if (m_quiet == 0 && (removed > 0 || added > 0))
        m_modified = true;
}

int EditorPane::lineCount() const {
    int count = document()->blockCount();
    if (document()->lastBlock().length() <= 1)
        --count;
    return count;
}

QString EditorPane::lineText(int index) const {
    QTextBlock block = document()->findBlockByNumber(index);
    if (index < 0 || !block.isValid())
        return QString();
    return block.text().left(kMaxLineLength);
}

void EditorPane::replaceLine(int index, const QString& text) {
    QTextBlock block = document()->findBlockByNumber(index);
    if (index < 0 || !block.isValid())
        return;
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    cursor.insertText(text);
}

int EditorPane::lineOfPosition(int position) const {
    return document()->findBlock(position).blockNumber();
}

int EditorPane::startOfLine(int index) const {
    QTextBlock block = document()->findBlockByNumber(index);
    return index >= 0 && block.isValid() ? block.position() : -1;
}

QStringList EditorPane::lines() const {
    QStringList lines;
    const int count = lineCount();
    for (QTextBlock block = document()->begin(); block.isValid() && lines.size() < count;
         block = block.next())
        lines << block.text();
    return lines;
}

int EditorPane::selStart() const {
    return textCursor().selectionStart();
}

int EditorPane::selEnd() const {
    return textCursor().selectionEnd();
}

void EditorPane::setSelStart(int position) {
    const int vertical = verticalScrollBar()->value();
    const int horizontal = horizontalScrollBar()->value();
    QTextCursor cursor = textCursor();
    cursor.setPosition(qBound(0, position, document()->characterCount() - 1));
    setTextCursor(cursor);
    verticalScrollBar()->setValue(vertical);
    horizontalScrollBar()->setValue(horizontal);
}

void EditorPane::setSelLength(int length) {
    QTextCursor cursor = textCursor();
    const int start = cursor.selectionStart();
    cursor.setPosition(start);
    cursor.setPosition(qBound(0, start + length, document()->characterCount() - 1), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    ensureCursorVisible();
}

// The old text's fault marks go first: every line inserted would otherwise move each of them.
void EditorPane::replaceAllText(const QString& text) {
    QuietScope quiet(m_quiet);
    setFindings({});
    setPlainText(text);
    m_modified = false;
    moveCursor(QTextCursor::Start);
    ensureCursorVisible();
}

// Directories, pipes and devices are refused at once: the editor never waits for a writer.
void EditorPane::loadFromFile(const QString& path) {
    const std::optional<std::string> bytes = textrules::ReadFileBytes(QFile::encodeName(path).toStdString());
    if (!bytes)
        throw FileError(QStringLiteral("Cannot open file %1").arg(path));
    replaceAllText(DecodeText(QByteArray::fromStdString(*bytes)));
}

void EditorPane::saveToFile(const QString& path) const {
    QStringList blocks;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
        blocks << block.text();
    const QByteArray bytes = EncodeLines(blocks);
    if (!textrules::ReplaceFileContent(QFile::encodeName(path).toStdString(), bytes.toStdString()))
        throw FileError(QStringLiteral("Cannot create file %1").arg(path));
}

void EditorPane::clearText() {
    replaceAllText(QString());
}

void EditorPane::setFontName(const QString& name) {
    QuietScope quiet(m_quiet);
    QFont changed = font();
    changed.setFamily(name);
    setFont(changed);
}

void EditorPane::setFontSize(int points) {
    if (points <= 0)
        return;
    QuietScope quiet(m_quiet);
    QFont changed = font();
    changed.setPointSize(points);
    setFont(changed);
}

void EditorPane::setWordWrap(bool wrap) {
    setLineWrapMode(wrap ? WidgetWidth : NoWrap);
}

void EditorPane::keyPressEvent(QKeyEvent* event) {
    // Shift+Enter would put a line separator inside a line; every line break here is a real one.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        QTextCursor cursor = textCursor();
        cursor.insertBlock();
        setTextCursor(cursor);
        ensureCursorVisible();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void EditorPane::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && event->position().x() < kSelectionBarWidth) {
        QTextCursor cursor = cursorForPosition(event->position().toPoint());
        cursor.movePosition(QTextCursor::StartOfBlock);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        setTextCursor(cursor);
        return;
    }
    QPlainTextEdit::mousePressEvent(event);
}

void EditorPane::insertFromMimeData(const QMimeData* source) {
    if (!source->hasText())
        return;
    QString text = source->text();
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    insertPlainText(text);
}

} // namespace varko::maintree
