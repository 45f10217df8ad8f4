#include "varko/maintree/crossview/raw_text_lines.h"

namespace varko::maintree {

textrules::LineList RawTextLines(const QString& rawText) {
    QString text = rawText;
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    const QByteArray bytes = text.toLatin1();
    return textrules::SplitDocumentLines(std::string_view(bytes.constData(), bytes.size()));
}

} // namespace varko::maintree
