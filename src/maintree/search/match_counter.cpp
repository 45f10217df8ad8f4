#include "varko/maintree/search/match_counter.h"

namespace varko::maintree {

MatchCounter::MatchCounter(QObject* parent) : QObject(parent) {
    m_worker = std::thread([this] { Run(); });
}

MatchCounter::~MatchCounter() {
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
        m_stopping = true;
    }
    m_wake.notify_one();
    m_worker.join();
}

quint64 MatchCounter::Request(const QString& text, const QString& pattern, SearchOptions options) {
    const quint64 generation = m_latest.fetch_add(1) + 1;
    {
        std::lock_guard lock(m_mutex);
        m_pending = Job{generation, text, pattern, options};
    }
    m_wake.notify_one();
    return generation;
}

void MatchCounter::Cancel() {
    m_latest.fetch_add(1);
    std::lock_guard lock(m_mutex);
    m_pending.reset();
}

void MatchCounter::Run() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_quit || m_pending.has_value(); });
        if (m_quit)
            return;
        const Job job = std::move(*m_pending);
        m_pending.reset();
        lock.unlock();
        std::optional<std::vector<TextSpan>> matches = Count(job);
        if (matches)
            Deliver(job.generation, std::make_shared<const std::vector<TextSpan>>(std::move(*matches)));
        lock.lock();
    }
}

std::optional<std::vector<TextSpan>> MatchCounter::Count(const Job& job) const {
    const TextSearch search(job.pattern, job.options);
    std::vector<TextSpan> matches;
    const bool finished = search.ForEachMatch(job.text, [&](const QRegularExpressionMatch& match) {
        matches.push_back(SpanOf(match));
        return !m_stopping.load(std::memory_order_relaxed) &&
               m_latest.load(std::memory_order_relaxed) == job.generation;
    });
    if (!finished)
        return std::nullopt;
    return matches;
}

void MatchCounter::Deliver(quint64 generation, MatchList matches) {
    // Runs on the GUI thread; a request made after the worker finished supersedes this result.
    QMetaObject::invokeMethod(
        this,
        [this, generation, matches = std::move(matches)] {
            if (generation == m_latest.load())
                emit Counted(generation, matches);
        },
        Qt::QueuedConnection);
}

} // namespace varko::maintree
