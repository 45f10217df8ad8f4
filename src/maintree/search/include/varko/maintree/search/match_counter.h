#pragma once

#include "varko/maintree/search/text_search.h"
#include "varko/maintree/search/text_span.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace varko::maintree {

using MatchList = std::shared_ptr<const std::vector<TextSpan>>;

// Finds every match of a search on a worker thread of its own, so counting never holds up typing
// in a long document. Each request gets a generation; a newer request makes the worker drop the
// older one, and only the latest request's result is ever delivered.
class MatchCounter : public QObject {
    Q_OBJECT

public:
    explicit MatchCounter(QObject* parent = nullptr);
    // Waits for the worker, which gives up its request at the next match it finds.
    ~MatchCounter() override;

    // The text is a copy (shared, never changed afterwards); the worker compiles the pattern anew,
    // so no compiled expression is shared between threads. Answers the request's generation.
    quint64 Request(const QString& text, const QString& pattern, SearchOptions options);
    // Drops the running request, if any: its result is never delivered.
    void Cancel();
    quint64 LatestGeneration() const { return m_latest.load(); }

signals:
    // On the GUI thread, for the latest request only.
    void Counted(quint64 generation, varko::maintree::MatchList matches);

private:
    struct Job {
        quint64 generation = 0;
        QString text;
        QString pattern;
        SearchOptions options;
    };

    void Run();
    // Empty when a newer request, or the end of the counter, made the job pointless.
    std::optional<std::vector<TextSpan>> Count(const Job& job) const;
    void Deliver(quint64 generation, MatchList matches);

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::optional<Job> m_pending;
    bool m_quit = false;
    std::atomic<quint64> m_latest{0};
    std::atomic<bool> m_stopping{false};
    std::thread m_worker;
};

} // namespace varko::maintree
