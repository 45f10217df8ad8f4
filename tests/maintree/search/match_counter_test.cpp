#include "search_fixture.h"
#include "varko/maintree/search/match_counter.h"

#include <QSignalSpy>

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

} // namespace
} // namespace varko::maintree
