#pragma once

#include "varko/maintree/editing/code_editor.h"

#include <QStringList>

namespace varko::maintree {

// The document's editor, a code editor with colours, line numbers and fault marks. Lines are the
// text's lines (blocks), also while long lines wrap on screen; character positions count from 0
// and each line break counts as one character.
class EditorPane : public maintree::CodeEditor {
    Q_OBJECT

public:
    explicit EditorPane(QWidget* parent = nullptr);

    // Lines of the text, not counting a last line that is empty.
    int lineCount() const;
    // At most 4096 characters; empty past the last line.
    QString lineText(int index) const;
    // Replaces the characters of one line, keeping its line break; ignored where there is no line.
    void replaceLine(int index, const QString& text);
    int lineOfPosition(int position) const;
    // -1 when there is no such line.
    int startOfLine(int index) const;
    QStringList lines() const;

    int selStart() const;
    // An empty selection at the position; the view stays where it is.
    void setSelStart(int position);
    // Selects from the selection start on and scrolls the caret into view.
    void setSelLength(int length);
    int selEnd() const;

    // Loading and clearing replace the whole text and clear the modified flag; the caret goes to
    // the start. Throws FileError.
    void loadFromFile(const QString& path);
    // Writes the text with CR LF line breaks; the old file stays whole on failure. Throws FileError.
    void saveToFile(const QString& path) const;
    void clearText();
    // Replaces the whole text as loading does; "\n" separates lines.
    void loadText(const QString& text) { replaceAllText(text); }

    bool isModified() const { return m_modified; }
    void clearModified() { m_modified = false; }
    void markModified() { m_modified = true; }

    QString fontName() const { return font().family(); }
    int fontSize() const { return font().pointSize(); }
    void setFontName(const QString& name);
    void setFontSize(int points);
    bool wordWrap() const { return lineWrapMode() != NoWrap; }
    void setWordWrap(bool wrap);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    void replaceAllText(const QString& text);
    void onContentsChange(int position, int removed, int added);

    bool m_modified = false;
    int m_quiet = 0;
};

} // namespace varko::maintree
