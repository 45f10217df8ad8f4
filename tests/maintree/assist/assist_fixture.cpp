#include "assist_fixture.h"

namespace varko::maintree::testing {

QString RawText(const std::vector<std::string>& lines) {
    QString text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += QChar::ParagraphSeparator;
        text += QString::fromLatin1(lines[i]);
    }
    return text;
}

} // namespace varko::maintree::testing
