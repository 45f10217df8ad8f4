#pragma once

#include <QByteArray>
#include <QString>

namespace varko::maintree {

// What the editor had when it last wrote its recovery file.
struct RecoverySnapshot {
    // The document's path, or the name an untitled document goes by ("Untitled.odf").
    QString documentName;
    bool untitled = false;
    // The editor's text; "\n" or U+2029 between lines (QTextDocument::toRawText works as it is).
    QString text;
};

// A recovery file found at start-up, as it is handed back to the editor.
struct RecoveredDocument {
    QString documentName;
    bool untitled = true;
    // The text's bytes exactly as written: one byte per character, "\n" between lines.
    QByteArray bytes;
    // False for a damaged file, offered with whatever could be read.
    bool complete = false;

    // The bytes as the editor's text: each byte the character of the same code.
    QString text() const { return QString::fromLatin1(bytes); }
};

// The bytes a snapshot is written as: one byte per character ("?" for one beyond 255, as the
// editor saves), line breaks as "\n".
QByteArray SnapshotBytes(const QString& text);

// The box that offers a recovery file: names the document and says "unsaved changes".
QString RecoveryQuestion(const RecoveredDocument& document);

} // namespace varko::maintree
