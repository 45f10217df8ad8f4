#include "varko/maintree/editor_text.h"

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

} // namespace varko::maintree
