#include "varko/maintree/editing/code_editor.h"

#include "line_number_area.h"
#include "varko/maintree/editing/editor_colours.h"
#include "varko/maintree/editing/fault_marks.h"
#include "varko/maintree/editing/highlight_scheduler.h"
#include "varko/maintree/editing/syntax_highlighter.h"
#include "varko/maintree/editing/text_formats.h"

#include <QHelpEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTimer>
#include <QToolTip>

namespace varko::maintree {

namespace {

// The fault bar at the gutter's left edge, and the room around the numbers.
constexpr int kMarkWidth = 4;
constexpr int kNumberGap = 4;
constexpr int kNumberRightPadding = 6;
// Enough room for this many digits from the start, so the text does not jump while it grows.
constexpr int kMinimumDigits = 3;

} // namespace

CodeEditor::CodeEditor(QWidget* parent)
    : QPlainTextEdit(parent), m_highlighter(new SyntaxHighlighter(this)),
      m_scheduler(new HighlightScheduler(*this, *m_highlighter, this)), m_marks(new FaultMarks(this)),
      m_gutter(new LineNumberArea(this)) {
    m_highlighter->setFormats(TextFormats(palette()));
    connect(this, &QPlainTextEdit::blockCountChanged, this, [this] {
        updateGutterWidth();
        requestSelections();
    });
    connect(this, &QPlainTextEdit::updateRequest, this, &CodeEditor::updateGutter);
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        requestSelections();
        refreshCaretFault();
    });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { requestSelections(); });
    connect(m_marks, &FaultMarks::changed, this, [this] {
        requestSelections();
        refreshCaretFault();
        m_gutter->update();
    });
    bindDocument();
    updateGutterWidth();
}

CodeEditor::~CodeEditor() = default;

void CodeEditor::bindDocument() {
    m_scheduler->attach(document());
    m_marks->reset(document(), {});
}

DocumentKind CodeEditor::documentKind() const {
    return m_highlighter->kind();
}

void CodeEditor::setDocumentKind(DocumentKind kind) {
    if (kind == m_highlighter->kind())
        return;
    m_highlighter->setKind(kind);
    m_scheduler->restyleAll();
}

bool CodeEditor::isHighlightingDone() const {
    return m_scheduler->isDone();
}

void CodeEditor::setFindings(const std::vector<compiler::Finding>& findings) {
    m_marks->reset(document(), findings);
}

int CodeEditor::faultMarkCount() const {
    return m_marks->count();
}

void CodeEditor::nextFault() {
    moveCaretTo(m_marks->nextMarked(textCursor().block()));
}

void CodeEditor::previousFault() {
    moveCaretTo(m_marks->previousMarked(textCursor().block()));
}

void CodeEditor::moveCaretTo(const QTextBlock& block) {
    if (!block.isValid())
        return;
    setTextCursor(QTextCursor(block));
    ensureCursorVisible();
}

QString CodeEditor::faultTextAtCaret() const {
    return faultTextOf(textCursor().block());
}

QString CodeEditor::faultTextOf(const QTextBlock& block) const {
    return block.isValid() ? m_marks->messagesOf(block).join(QLatin1Char('\n')) : QString();
}

QWidget* CodeEditor::lineNumberArea() const {
    return m_gutter;
}

void CodeEditor::refreshCaretFault() {
    const QString text = faultTextAtCaret();
    if (text == m_caretFault)
        return;
    m_caretFault = text;
    emit caretFaultChanged(text);
}

// These signals may come in the middle of an edit, and setting the extra selections then would
// destroy cursors the document still lists while it is being cleared (a load, a new document):
// the selections are set once the edit is over.
void CodeEditor::requestSelections() {
    if (m_selectionsRequested)
        return;
    m_selectionsRequested = true;
    QTimer::singleShot(0, this, [this] {
        m_selectionsRequested = false;
        refreshSelections();
    });
}

// The caret's line and the underlines of the lines on screen only: the widget goes through the
// whole list for every line it paints, and a check may mark thousands of lines.
void CodeEditor::refreshSelections() {
    QTextEdit::ExtraSelection caretLine;
    caretLine.format.setBackground(CurrentLineColour(palette()));
    caretLine.format.setProperty(QTextFormat::FullWidthSelection, true);
    caretLine.cursor = textCursor();
    caretLine.cursor.clearSelection();
    QList<QTextEdit::ExtraSelection> selections{caretLine};
    if (!m_marks->isEmpty()) {
        QTextCharFormat underline;
        underline.setUnderlineStyle(QTextCharFormat::WaveUnderline);
        underline.setUnderlineColor(ErrorColour(palette()));
        selections += m_marks->underlines(firstVisibleBlock(), lastVisibleBlock(), underline);
    }
    setExtraSelections(selections);
    m_gutter->update();
}

QTextBlock CodeEditor::lastVisibleBlock() const {
    QTextBlock block = firstVisibleBlock();
    QTextBlock last = block;
    qreal top = blockBoundingGeometry(block).translated(contentOffset()).top();
    const int height = viewport()->height();
    while (block.isValid() && top <= height) {
        last = block;
        top += blockBoundingRect(block).height();
        block = block.next();
    }
    return last;
}

QTextBlock CodeEditor::blockAtY(int y) const {
    QTextBlock block = firstVisibleBlock();
    qreal top = blockBoundingGeometry(block).translated(contentOffset()).top();
    while (block.isValid() && top <= y) {
        const qreal bottom = top + blockBoundingRect(block).height();
        if (block.isVisible() && y < bottom)
            return block;
        top = bottom;
        block = block.next();
    }
    return {};
}

void CodeEditor::showFaultTip(const QPoint& globalPos, int y, QWidget* over) {
    const QString text = faultTextOf(blockAtY(y));
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(globalPos, text, over);
}

bool CodeEditor::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return QPlainTextEdit::viewportEvent(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    showFaultTip(help->globalPos(), help->pos().y(), viewport());
    return true;
}

int CodeEditor::gutterWidth() const {
    int digits = 1;
    for (int count = qMax(1, blockCount()); count >= 10; count /= 10)
        ++digits;
    digits = qMax(digits, kMinimumDigits);
    return kMarkWidth + kNumberGap + fontMetrics().horizontalAdvance(QLatin1Char('9')) * digits +
           kNumberRightPadding;
}

void CodeEditor::updateGutterWidth() {
    const int width = gutterWidth();
    if (viewportMargins().left() != width)
        setViewportMargins(width, 0, 0, 0);
    const QRect area = contentsRect();
    m_gutter->setGeometry(area.left(), area.top(), width, area.height());
}

void CodeEditor::updateGutter(const QRect& rect, int dy) {
    if (dy != 0)
        m_gutter->scroll(0, dy);
    else
        m_gutter->update(0, rect.y(), m_gutter->width(), rect.height());
    if (rect.contains(viewport()->rect()))
        updateGutterWidth();
}

void CodeEditor::paintGutter(QPaintEvent* event) {
    QPainter painter(m_gutter);
    const QColor base = palette().color(QPalette::Base);
    const QColor text = palette().color(QPalette::Text);
    painter.fillRect(event->rect(), Blend(base, text, 0.06));
    const int caretBlock = textCursor().blockNumber();
    const int numberWidth = m_gutter->width() - kNumberRightPadding;
    QTextBlock block = firstVisibleBlock();
    int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    while (block.isValid() && top <= event->rect().bottom()) {
        const int bottom = top + qRound(blockBoundingRect(block).height());
        if (block.isVisible() && bottom >= event->rect().top()) {
            if (m_marks->hasMarks(block))
                painter.fillRect(0, top, kMarkWidth, bottom - top, ErrorColour(palette()));
            painter.setPen(block.blockNumber() == caretBlock ? text : Blend(base, text, 0.55));
            painter.drawText(0, top, numberWidth, fontMetrics().height(), Qt::AlignRight,
                             QString::number(block.blockNumber() + 1));
        }
        block = block.next();
        top = bottom;
    }
}

void CodeEditor::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    updateGutterWidth();
    refreshSelections();
}

void CodeEditor::changeEvent(QEvent* event) {
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        applyPalette();
    else if (event->type() == QEvent::FontChange)
        updateGutterWidth();
}

void CodeEditor::applyPalette() {
    m_highlighter->setFormats(TextFormats(palette()));
    m_scheduler->restyleAll();
    refreshSelections();
}

} // namespace varko::maintree
