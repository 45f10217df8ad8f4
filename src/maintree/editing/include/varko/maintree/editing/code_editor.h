#pragma once

#include "varko/compiler/finding.h"
#include "varko/maintree/editing/document_kind.h"

#include <QPlainTextEdit>
#include <QTextBlock>

#include <vector>

namespace varko::maintree {

class FaultMarks;
class HighlightScheduler;
class LineNumberArea;
class SyntaxHighlighter;

// A plain-text editor for the game's data files: coloured lines, text line numbers in a gutter,
// the caret's line highlighted, and the faults of the last check marked in the gutter and
// underlined in the text, with their messages as tool tips. It works on the document it has when
// it is built; after QPlainTextEdit::setDocument, bindDocument() moves colours and marks along.
class CodeEditor : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit CodeEditor(QWidget* parent = nullptr);
    ~CodeEditor() override;

    void bindDocument();

    DocumentKind documentKind() const;
    void setDocumentKind(DocumentKind kind);
    // False while the lines of a load or a large paste still wait to be coloured.
    bool isHighlightingDone() const;

    // Replaces every fault mark.
    void setFindings(const std::vector<compiler::Finding>& findings);
    int faultMarkCount() const;
    // Move the caret to the start of the next / previous faulty line, wrapping around; nothing
    // happens without marks.
    void nextFault();
    void previousFault();
    // The messages of a line's faults, one a line; "" when it has none.
    QString faultTextAtCaret() const;
    QString faultTextOf(const QTextBlock& block) const;

    QWidget* lineNumberArea() const;

signals:
    void caretFaultChanged(const QString& text);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    friend class LineNumberArea;

    int gutterWidth() const;
    void paintGutter(QPaintEvent* event);
    // The block drawn at a height of the viewport; invalid where no line is.
    QTextBlock blockAtY(int y) const;
    QTextBlock lastVisibleBlock() const;
    void showFaultTip(const QPoint& globalPos, int y, QWidget* over);
    void updateGutterWidth();
    void updateGutter(const QRect& rect, int dy);
    void requestSelections();
    void refreshSelections();
    void refreshCaretFault();
    void moveCaretTo(const QTextBlock& block);
    void applyPalette();

    SyntaxHighlighter* m_highlighter;
    HighlightScheduler* m_scheduler;
    FaultMarks* m_marks;
    LineNumberArea* m_gutter;
    QString m_caretFault;
    bool m_selectionsRequested = false;
};

} // namespace varko::maintree
