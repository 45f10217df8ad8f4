#pragma once

#include "varko/maintree/search/text_search.h"
#include "varko/maintree/search/text_span.h"

#include "varko/maintree/worker/latest_result.h"
#include "varko/maintree/worker/worker.h"

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

namespace varko::maintree {

using MatchList = std::shared_ptr<const std::vector<TextSpan>>;

// Finds every match of a search on a worker, so counting never holds up typing in a long
// document. Each request gets a generation; a newer request stops the older one, and only the
// latest request's result is ever delivered.
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

signals:
    // On the GUI thread, for the latest request only.
    void Counted(quint64 generation, varko::maintree::MatchList matches);

private:
    void Deliver();

    quint64 m_latest = 0;
    maintree::Worker<maintree::LatestResult<MatchList>> m_worker;
};

} // namespace varko::maintree
