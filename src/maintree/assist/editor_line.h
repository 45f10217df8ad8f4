#pragma once

#include <QString>
#include <QTextBlock>
#include <QTextCursor>

#include <cstddef>
#include <string>

namespace varko::maintree {

// A text line of the editor as the file's bytes: each character is one byte, and one that has no
// byte of its own reads as "?", so byte columns and character columns agree.
inline std::string LineBytes(const QTextBlock& block) {
    return block.text().toLatin1().toStdString();
}

// The caret's line as bytes and its 0-based column in it.
struct CaretLine {
    std::string text;
    std::size_t column = 0;
    int lineIndex = 0; // 0-based block number
};

inline CaretLine CaretLineOf(const QTextCursor& cursor) {
    return {LineBytes(cursor.block()), static_cast<std::size_t>(cursor.positionInBlock()),
            cursor.blockNumber()};
}

} // namespace varko::maintree
