#include "crossview_fixture.h"

#include <chrono>

namespace varko::maintree::testing {

QString RawText(const QStringList& lines) {
    return lines.join(QChar::ParagraphSeparator);
}

QStringList RowTexts(const QAbstractItemModel& model, const QModelIndex& parent) {
    QStringList rows;
    for (int row = 0; row < model.rowCount(parent); ++row) {
        QStringList cells;
        for (int column = 0; column < model.columnCount(parent); ++column)
            cells << model.index(row, column, parent).data().toString();
        rows << cells.join(QStringLiteral(" | "));
    }
    return rows;
}

std::function<void()> Gate::Waiter() const {
    return [state = m_state] {
        std::unique_lock lock(state->mutex);
        state->reached = true;
        state->changed.notify_all();
        state->changed.wait(lock, [&] { return state->released; });
    };
}

bool Gate::WaitUntilReached() const {
    std::unique_lock lock(m_state->mutex);
    return m_state->changed.wait_for(lock, std::chrono::seconds(5), [this] { return m_state->reached; });
}

void Gate::Release() const {
    std::lock_guard lock(m_state->mutex);
    m_state->released = true;
    m_state->changed.notify_all();
}

compiler::OdfSource HeldSource::Source() const {
    return [inner = m_inner, wait = m_gate.Waiter()](std::string_view name) {
        wait();
        return inner(name);
    };
}

} // namespace varko::maintree::testing
