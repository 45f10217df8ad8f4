#include "varko/maintree/assist/file_navigator.h"

#include "editor_line.h"

#include <QFile>
#include <QMouseEvent>
#include <QPlainTextEdit>

namespace varko::maintree {

namespace {

// Pages of a mod a user comes back from; older ones are forgotten.
constexpr std::size_t kBackStackDepth = 100;

} // namespace

FileNavigator::FileNavigator(QPlainTextEdit* editor, NavigatorSources sources, QObject* parent)
    : QObject(parent), m_editor(editor), m_sources(std::move(sources)) {
    editor->viewport()->installEventFilter(this);
}

bool FileNavigator::goToFile() {
    if (!m_editor)
        return false;
    const CaretLine caret = CaretLineOf(m_editor->textCursor());
    return go(caret.text, caret.column, caret.lineIndex);
}

bool FileNavigator::goToFileAt(int lineIndex, int column) {
    if (!m_editor)
        return false;
    const QTextBlock block = m_editor->document()->findBlockByNumber(lineIndex);
    if (!block.isValid() || column < 0)
        return go({}, std::nullopt, lineIndex);
    return go(LineBytes(block), static_cast<std::size_t>(column), lineIndex);
}

bool FileNavigator::go(const std::string& lineText, std::optional<std::size_t> column, int lineIndex) {
    const QString document = m_sources.documentPath ? m_sources.documentPath() : QString();
    const language::FileTarget target = language::FileTargetAt(
        lineText, column, compiler::KindOfPath(QFile::encodeName(document).toStdString()), m_sources.typeOf,
        m_sources.files);
    setStatus(QString::fromLatin1(target.status));
    if (!target.path)
        return false;
    if (m_backStack.size() == kBackStackDepth)
        m_backStack.erase(m_backStack.begin());
    m_backStack.push_back({document, lineIndex + 1});
    if (m_backStack.size() == 1)
        emit canGoBackChanged(true);
    emit openRequested(QFile::decodeName(QByteArray::fromStdString(*target.path)));
    return true;
}

std::optional<FileNavigator::Location> FileNavigator::back() {
    if (m_backStack.empty())
        return std::nullopt;
    Location location = m_backStack.back();
    m_backStack.pop_back();
    if (m_backStack.empty())
        emit canGoBackChanged(false);
    return location;
}

void FileNavigator::setStatus(const QString& text) {
    m_status = text;
    if (!text.isEmpty())
        emit statusMessage(text);
}

// Ctrl+click on a file name opens it; a click that finds nothing to open places the caret as usual.
bool FileNavigator::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress || !m_editor || watched != m_editor->viewport())
        return QObject::eventFilter(watched, event);
    const auto& mouse = static_cast<QMouseEvent&>(*event);
    if (mouse.button() != Qt::LeftButton || !(mouse.modifiers() & Qt::ControlModifier))
        return QObject::eventFilter(watched, event);
    const QTextCursor cursor = m_editor->cursorForPosition(mouse.position().toPoint());
    const CaretLine line = CaretLineOf(cursor);
    return go(line.text, line.column, line.lineIndex) || QObject::eventFilter(watched, event);
}

} // namespace varko::maintree
