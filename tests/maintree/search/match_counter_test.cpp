#include "search_fixture.h"
#include "varko/maintree/search/match_counter.h"

#include <QSignalSpy>
#include <QTest>

#include <chrono>
#include <thread>

namespace varko::maintree {
namespace {

constexpr SearchOptions kRegex{false, false, true};

QString LongText() {
    QString text;
    for (int line = 0; line < 50000; ++line)
        text += QStringLiteral("name_%1 = value %2\n").arg(line).arg(line % 7);
    return text;
}

TEST(MatchCounter, CountsOnTheWorkerWhatTheSearchFinds) {
    MatchCounter counter;
    QSignalSpy counted(&counter, &MatchCounter::Counted);
    const QString text = LongText();
    const quint64 generation = counter.Request(text, QStringLiteral("value [03]$"), kRegex);
    ASSERT_TRUE(counted.wait(5000));
    ASSERT_EQ(counted.size(), 1);
    EXPECT_EQ(counted[0][0].value<quint64>(), generation);
    const auto matches = counted[0][1].value<MatchList>();
    EXPECT_EQ(*matches, AllMatches(TextSearch(QStringLiteral("value [03]$"), kRegex), text));
    EXPECT_EQ(matches->size(), std::size_t(14286));
}

// Typing in the find field asks for a count at every key; only the last one may reach the bar.
TEST(MatchCounter, OnlyTheLatestRequestIsDelivered) {
    MatchCounter counter;
    QSignalSpy counted(&counter, &MatchCounter::Counted);
    const QString text = LongText();
    counter.Request(text, QStringLiteral("v"), kRegex);
    counter.Request(text, QStringLiteral("va"), kRegex);
    const quint64 last = counter.Request(text, QStringLiteral("value 6"), kRegex);
    ASSERT_TRUE(counted.wait(5000));
    QTest::qWait(200);
    ASSERT_EQ(counted.size(), 1);
    EXPECT_EQ(counted[0][0].value<quint64>(), last);
    EXPECT_EQ(counted[0][1].value<MatchList>()->size(), std::size_t(7142));
}

// A count the worker finished before a newer request was made waits in the event queue; it must
// not reach the bar after the newer request.
TEST(MatchCounter, AResultOvertakenInTheQueueIsDropped) {
    MatchCounter counter;
    QSignalSpy counted(&counter, &MatchCounter::Counted);
    counter.Request(QStringLiteral("aaa"), QStringLiteral("a"), kRegex);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const quint64 last = counter.Request(QStringLiteral("aaa"), QStringLiteral("aa"), kRegex);
    ASSERT_TRUE(counted.wait(5000));
    QTest::qWait(100);
    ASSERT_EQ(counted.size(), 1);
    EXPECT_EQ(counted[0][0].value<quint64>(), last);
    EXPECT_EQ(counted[0][1].value<MatchList>()->size(), std::size_t(1));
}

TEST(MatchCounter, CancelledRequestIsNeverDelivered) {
    MatchCounter counter;
    QSignalSpy counted(&counter, &MatchCounter::Counted);
    counter.Request(LongText(), QStringLiteral("name"), kRegex);
    counter.Cancel();
    EXPECT_FALSE(counted.wait(300));
}

} // namespace
} // namespace varko::maintree
