#pragma once

#include <QPlainTextEdit>
#include <QStringList>

namespace varko::maintree {

// The document's editor. Lines are the text's lines (blocks), also while long lines wrap on
// screen; character positions count from 0 and each line break counts as one character.
class EditorPane : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit EditorPane(QWidget* parent = nullptr);

    // Lines of the text, not counting a last line that is empty.
    int LineCount() const;
    // At most 4096 characters; empty past the last line.
    QString LineText(int index) const;
    // Replaces the characters of one line, keeping its line break; ignored where there is no line.
    void ReplaceLine(int index, const QString& text);
    int LineOfPosition(int position) const;
    // -1 when there is no such line.
    int StartOfLine(int index) const;
    QStringList Lines() const;

    int SelStart() const;
    // An empty selection at the position; the view stays where it is.
    void SetSelStart(int position);
    // Selects from the selection start on and scrolls the caret into view.
    void SetSelLength(int length);
    int SelEnd() const;

    // Loading and clearing replace the whole text and clear the modified flag; the caret goes to
    // the start. Throws FileError.
    void LoadFromFile(const QString& path);
    // Writes the text with CR LF line breaks; the old file stays whole on failure. Throws FileError.
    void SaveToFile(const QString& path) const;
    void ClearText();

    bool Modified() const { return m_modified; }
    void ClearModified() { m_modified = false; }

    QString FontName() const { return font().family(); }
    int FontSize() const { return font().pointSize(); }
    void SetFontName(const QString& name);
    void SetFontSize(int points);
    bool WordWrap() const { return lineWrapMode() != NoWrap; }
    void SetWordWrap(bool wrap);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    void ReplaceAllText(const QString& text);
    void OnContentsChange(int position, int removed, int added);

    bool m_modified = false;
    int m_quiet = 0;
};

} // namespace varko::maintree
