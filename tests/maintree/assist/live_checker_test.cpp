#include "varko/maintree/assist/live_checker.h"

#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

namespace varko::maintree {
namespace {

using compiler::Finding;

// The findings of a text: one per line, whose part is the line, so a result tells which copy of
// the text was checked.
CheckOutcome LinesAsFindings(const QString& rawText) {
    CheckOutcome outcome;
    const QStringList lines = rawText.split(QChar::ParagraphSeparator);
    for (int i = 0; i < lines.size(); ++i)
        outcome.findings.push_back({i + 1, 1, "M1", {lines[i].toStdString()}});
    return outcome;
}

std::vector<Finding> Delivered(const QSignalSpy& spy, int index) {
    return spy.at(index).at(0).value<std::vector<Finding>>();
}

class LiveChecking : public ::testing::Test {
protected:
    void edit(const QString& text) {
        m_editor.setPlainText(text);
        m_checker->textChanged();
    }
    void makeChecker(LiveChecker::TextCheck check, int delayMs = 20) {
        m_checker = std::make_unique<LiveChecker>(&m_editor, std::move(check), [this] { return m_path; });
        m_checker->setDelay(delayMs);
    }

    QPlainTextEdit m_editor;
    QString m_path = QStringLiteral("tank.odf");
    std::unique_ptr<LiveChecker> m_checker;
};

TEST_F(LiveChecking, ChecksOnceAfterTheTypingStops) {
    std::atomic<int> calls = 0;
    std::string checkedPath;
    makeChecker(
        [&](const QString& text, const std::string& path, const std::atomic<bool>&) {
            ++calls;
            checkedPath = path;
            return LinesAsFindings(text);
        },
        100);
    QSignalSpy ready(m_checker.get(), &LiveChecker::findingsReady);
    for (const char* text : {"a", "ab", "ab\nc", "ab\ncd"})
        edit(QString::fromLatin1(text));
    ASSERT_TRUE(ready.wait(2000));
    QTest::qWait(250);
    EXPECT_EQ(calls.load(), 1);
    ASSERT_EQ(ready.count(), 1);
    EXPECT_EQ(Delivered(ready, 0), (std::vector<Finding>{{1, 1, "M1", {"ab"}}, {2, 1, "M1", {"cd"}}}));
    EXPECT_EQ(checkedPath, "tank.odf");
}

TEST_F(LiveChecking, ANewerEditStopsTheRunningCheckAndItsResultIsDropped) {
    std::mutex mutex;
    std::condition_variable changed;
    bool release = false;
    bool firstStarted = false;
    std::atomic<bool> stopSeen = false;
    std::atomic<int> calls = 0;
    // The first check hangs on until the test lets it go, whatever its stop flag says, and then
    // returns a result that must never be shown.
    makeChecker([&](const QString& text, const std::string&, const std::atomic<bool>& stop) {
        if (++calls == 1) {
            std::unique_lock lock(mutex);
            firstStarted = true;
            changed.notify_all();
            changed.wait(lock, [&] { return release; });
            stopSeen = stop.load();
        }
        return LinesAsFindings(text);
    });
    QSignalSpy ready(m_checker.get(), &LiveChecker::findingsReady);
    edit(QStringLiteral("old"));
    QTRY_VERIFY_WITH_TIMEOUT(m_checker->isChecking(), 2000);
    {
        std::unique_lock lock(mutex);
        ASSERT_TRUE(changed.wait_for(lock, std::chrono::seconds(2), [&] { return firstStarted; }));
    }
    edit(QStringLiteral("new"));
    QTest::qWait(100); // the debounce passes while the first check still runs
    {
        std::lock_guard lock(mutex);
        release = true;
    }
    changed.notify_all();
    ASSERT_TRUE(ready.wait(2000));
    QTest::qWait(100);
    EXPECT_TRUE(stopSeen.load());
    EXPECT_EQ(calls.load(), 2);
    ASSERT_EQ(ready.count(), 1);
    EXPECT_EQ(Delivered(ready, 0), (std::vector<Finding>{{1, 1, "M1", {"new"}}}));
}

TEST_F(LiveChecking, AFailureIsToldOncePerText) {
    std::string failure = "Cannot access the declarations file \"declarations.txt\"!";
    std::atomic<int> calls = 0;
    makeChecker([&](const QString& text, const std::string&, const std::atomic<bool>&) {
        ++calls;
        return failure.empty() ? LinesAsFindings(text) : CheckOutcome{{}, failure};
    });
    QSignalSpy failed(m_checker.get(), &LiveChecker::checkFailed);
    QSignalSpy ready(m_checker.get(), &LiveChecker::findingsReady);
    // How many signals one checked edit gives.
    auto signalsOfEdit = [&](const char* text) {
        const auto before = failed.count() + ready.count();
        const int callsBefore = calls.load();
        edit(QString::fromLatin1(text));
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return calls.load() > callsBefore && !m_checker->isChecking(); }, 2000));
        return failed.count() + ready.count() - before;
    };
    EXPECT_EQ(signalsOfEdit("a"), 1);
    EXPECT_EQ(signalsOfEdit("ab"), 0);
    EXPECT_EQ(signalsOfEdit("abc"), 0);
    failure = "Cannot access SOD directory: /gone";
    EXPECT_EQ(signalsOfEdit("abcd"), 1);
    failure.clear();
    EXPECT_EQ(signalsOfEdit("abcde"), 1);
    failure = "Cannot access SOD directory: /gone";
    EXPECT_EQ(signalsOfEdit("abcdef"), 1);
    ASSERT_EQ(failed.count(), 3);
    EXPECT_EQ(failed.at(0).at(0).toString(),
              QStringLiteral("Cannot access the declarations file \"declarations.txt\"!"));
    EXPECT_EQ(failed.at(1).at(0).toString(), QStringLiteral("Cannot access SOD directory: /gone"));
    EXPECT_EQ(ready.count(), 1);
}

TEST_F(LiveChecking, DisablingDropsWhatIsPendingAndEnablingChecksAgain) {
    std::atomic<int> calls = 0;
    makeChecker([&](const QString& text, const std::string&, const std::atomic<bool>&) {
        ++calls;
        return LinesAsFindings(text);
    });
    QSignalSpy ready(m_checker.get(), &LiveChecker::findingsReady);
    edit(QStringLiteral("x"));
    m_checker->setEnabled(false);
    edit(QStringLiteral("y"));
    QTest::qWait(150);
    EXPECT_EQ(calls.load(), 0);
    EXPECT_EQ(ready.count(), 0);
    m_checker->setEnabled(true);
    ASSERT_TRUE(ready.wait(2000));
    EXPECT_EQ(Delivered(ready, 0), (std::vector<Finding>{{1, 1, "M1", {"y"}}}));
}

TEST_F(LiveChecking, AThrowingCheckIsAFailureNotACrash) {
    makeChecker([](const QString&, const std::string&, const std::atomic<bool>&) -> CheckOutcome {
        throw std::runtime_error("out of memory");
    });
    QSignalSpy failed(m_checker.get(), &LiveChecker::checkFailed);
    edit(QStringLiteral("x"));
    ASSERT_TRUE(failed.wait(2000));
    EXPECT_EQ(failed.at(0).at(0).toString(), QStringLiteral("out of memory"));
}

} // namespace
} // namespace varko::maintree
