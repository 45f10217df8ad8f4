#pragma once

#include "qstring_printer.h"
#include "varko/maintree/search/find_bar.h"
#include "varko/maintree/search/text_span.h"

#include <QPlainTextEdit>
#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

namespace varko::maintree {

inline void PrintTo(const TextSpan& span, std::ostream* out) {
    *out << '(' << span.start << ", " << span.length << ')';
}

namespace testing {

// A window with an editor and its find bar under it, shown and active, so focus and key
// handling behave as in the program.
class FindBarFixture : public ::testing::Test {
protected:
    void SetUp() override;

    void SetText(const QString& text);
    void SetSelection(int anchor, int position);
    TextSpan Selection() const;
    QString Status() const;
    // Types into the find field one key at a time, as a user does.
    void TypeSearch(const QString& text);
    void SetOptions(bool matchCase, bool wholeWords, bool regularExpression);
    // Puts the text into the editor and opens the bar for replacing, its fields filled.
    void OpenReplacing(const char* text, const char* pattern, const char* replacement);
    // Waits until the status line reads `expected`; false after five seconds.
    bool WaitForStatus(const QString& expected) const;

    std::unique_ptr<QWidget> m_window;
    QPlainTextEdit* m_editor = nullptr;
    FindBar* m_bar = nullptr;
};

} // namespace testing
} // namespace varko::maintree
