#include "search_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

namespace varko::maintree::testing {

void FindBarFixture::SetUp() {
    m_window = std::make_unique<QWidget>();
    m_window->resize(700, 300);
    auto* layout = new QVBoxLayout(m_window.get());
    m_editor = new QPlainTextEdit(m_window.get());
    m_bar = new FindBar(*m_editor, m_window.get());
    layout->addWidget(m_editor);
    layout->addWidget(m_bar);
    m_bar->hide();
    m_window->show();
    QApplication::setActiveWindow(m_window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    m_editor->setFocus();
}

void FindBarFixture::SetText(const QString& text) {
    m_editor->setPlainText(text);
}

void FindBarFixture::SetSelection(int anchor, int position) {
    QTextCursor cursor(m_editor->document());
    cursor.setPosition(anchor);
    cursor.setPosition(position, QTextCursor::KeepAnchor);
    m_editor->setTextCursor(cursor);
}

TextSpan FindBarFixture::Selection() const {
    const QTextCursor cursor = m_editor->textCursor();
    return {cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart()};
}

QString FindBarFixture::Status() const {
    return m_bar->Controls().status->text();
}

void FindBarFixture::TypeSearch(const QString& text) {
    QTest::keyClicks(m_bar->Controls().findEdit, text);
}

void FindBarFixture::SetOptions(bool matchCase, bool wholeWords, bool regularExpression) {
    m_bar->Controls().matchCase->setChecked(matchCase);
    m_bar->Controls().wholeWords->setChecked(wholeWords);
    m_bar->Controls().regularExpression->setChecked(regularExpression);
}

void FindBarFixture::OpenReplacing(const char* text, const char* pattern, const char* replacement) {
    SetText(QString::fromLatin1(text));
    m_bar->OpenReplace();
    m_bar->Controls().findEdit->setText(QString::fromLatin1(pattern));
    m_bar->Controls().replaceEdit->setText(QString::fromLatin1(replacement));
}

bool FindBarFixture::WaitForStatus(const QString& expected) const {
    return QTest::qWaitFor([&] { return Status() == expected; }, 5000);
}

} // namespace varko::maintree::testing
