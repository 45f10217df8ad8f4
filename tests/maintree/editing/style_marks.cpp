#include "style_marks.h"

#include <QTextLayout>

namespace varko::maintree::testing {

namespace {

constexpr TextStyle kStyles[] = {TextStyle::Section,  TextStyle::Property,  TextStyle::Number,
                                 TextStyle::String,   TextStyle::Comment,   TextStyle::Include,
                                 TextStyle::FileName, TextStyle::TechObject};

void Fill(QString& marks, qsizetype start, qsizetype length, QChar letter) {
    for (qsizetype i = start; i < start + length && i < marks.size(); ++i)
        marks[i] = letter;
}

} // namespace

char LetterOf(TextStyle style) {
    switch (style) {
    case TextStyle::Section:
        return 'S';
    case TextStyle::Property:
        return 'P';
    case TextStyle::Number:
        return 'N';
    case TextStyle::String:
        return 'Q';
    case TextStyle::Comment:
        return 'C';
    case TextStyle::Include:
        return 'I';
    case TextStyle::FileName:
        return 'F';
    case TextStyle::TechObject:
        return 'O';
    }
    return '?';
}

QString StyleMarks(const std::vector<StyledSpan>& spans, qsizetype length) {
    QString marks(length, QLatin1Char(' '));
    for (const StyledSpan& span : spans)
        Fill(marks, span.start, span.length, QLatin1Char(LetterOf(span.style)));
    return marks;
}

QString FormatMarks(const QTextBlock& block, const TextFormats& formats) {
    QString marks(block.length() - 1, QLatin1Char(' '));
    for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
        QChar letter = QLatin1Char('?');
        for (TextStyle style : kStyles) {
            if (formats.of(style) == range.format)
                letter = QLatin1Char(LetterOf(style));
        }
        Fill(marks, range.start, range.length, letter);
    }
    return marks;
}

} // namespace varko::maintree::testing
