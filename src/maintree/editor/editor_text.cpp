#include "varko/maintree/editor/editor_text.h"

namespace varko::maintree {

QString DecodeText(const QByteArray& bytes) {
    QString text;
    text.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char byte = bytes[i];
        if (byte == '\r') {
            text += QLatin1Char('\n');
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        } else {
            text += QChar(static_cast<unsigned char>(byte));
        }
    }
    return text;
}

QByteArray EncodeLines(const QStringList& lines) {
    QByteArray bytes;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            bytes += "\r\n";
        bytes += lines[i].toLatin1();
    }
    return bytes;
}

namespace {

std::string LineBytes(QStringView line) {
    std::string bytes(static_cast<std::size_t>(line.size()), '\0');
    for (qsizetype i = 0; i < line.size(); ++i) {
        const char16_t code = line[i].unicode();
        bytes[static_cast<std::size_t>(i)] = code > 0xFF ? '?' : static_cast<char>(code);
    }
    return bytes;
}

} // namespace

textrules::LineList RawTextLines(const QString& rawText, qsizetype maxLength) {
    textrules::LineList lines;
    const QStringView text(rawText);
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(QChar::ParagraphSeparator, start);
        const bool last = end < 0;
        if (last)
            end = text.size();
        QStringView line = text.sliced(start, end - start);
        lines.push_back(LineBytes(maxLength < 0 ? line : line.left(maxLength)));
        start = end + 1;
        if (last)
            break;
    }
    return lines;
}

} // namespace varko::maintree
