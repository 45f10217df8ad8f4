#include "varko/maintree/search/match_counter.h"

namespace varko::maintree {

MatchCounter::MatchCounter(QObject* parent) : QObject(parent) {
    connect(&m_worker, &maintree::WorkerThread::finished, this, &MatchCounter::Deliver);
}

MatchCounter::~MatchCounter() {
    m_worker.close();
}

quint64 MatchCounter::Request(const QString& text, const QString& pattern, SearchOptions options) {
    m_latest =
        m_worker.start([text, pattern, options](const std::atomic<bool>& stop,
                                                maintree::Outbox<maintree::LatestResult<MatchList>>& outbox) {
            const TextSearch search(pattern, options);
            std::vector<TextSpan> matches;
            const bool finished = search.ForEachMatch(text, [&](const QRegularExpressionMatch& match) {
                matches.push_back(SpanOf(match));
                return !stop.load(std::memory_order_relaxed);
            });
            if (finished)
                outbox.post({std::make_shared<const std::vector<TextSpan>>(std::move(matches))});
        });
    return m_latest;
}

void MatchCounter::Cancel() {
    m_worker.cancel();
}

void MatchCounter::Deliver() {
    std::optional<MatchList> matches = m_worker.take().value;
    if (matches)
        emit Counted(m_latest, std::move(*matches));
}

} // namespace varko::maintree
