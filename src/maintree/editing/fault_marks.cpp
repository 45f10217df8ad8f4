#include "varko/maintree/editing/fault_marks.h"

#include "varko/maintree/editing/line_scanner.h"

#include <QElapsedTimer>
#include <QTextDocument>
#include <QTimer>

#include <algorithm>
#include <iterator>

namespace varko::maintree {

namespace {

// Marks are placed in slices of about this long, so a run with a hundred thousand findings never
// holds the GUI thread; the clock is read every few hundred marks.
constexpr qint64 kSliceMs = 8;
constexpr std::size_t kClockEvery = 256;

} // namespace

FaultMarks::FaultMarks(QObject* parent) : QObject(parent) {
    m_placing.setSingleShot(true);
    m_placing.setInterval(0);
    connect(&m_placing, &QTimer::timeout, this, &FaultMarks::placeSome);
}

void FaultMarks::reset(QTextDocument* document, const std::vector<compiler::Finding>& findings) {
    if (m_document != document) {
        if (m_document)
            disconnect(m_document, nullptr, this, nullptr);
        m_document = document;
        if (document)
            connect(document, &QTextDocument::contentsChange, this, &FaultMarks::onContentsChange);
    }
    m_marks.clear();
    m_placing.stop();
    m_placed = 0;
    m_pending = document ? findings : std::vector<compiler::Finding>();
    m_marks.reserve(m_pending.size());
    placeSome();
}

// Places the next slice of the pending findings; the lines are found by number, so a slice placed
// after an edit that added or removed lines marks the lines as they are numbered then.
void FaultMarks::placeSome() {
    QElapsedTimer slice;
    slice.start();
    const auto placedBefore = static_cast<std::ptrdiff_t>(m_marks.size());
    if (m_document && m_placed < m_pending.size()) {
        // Inside an edit block a cursor that moves leaves its screen position for later instead of
        // laying its line out: thousands of marks would otherwise lay out thousands of lines.
        QTextCursor batch(m_document);
        batch.beginEditBlock();
        for (std::size_t n = 0; m_placed < m_pending.size(); ++n, ++m_placed) {
            if (n > 0 && n % kClockEvery == 0 && slice.elapsed() >= kSliceMs)
                break;
            const compiler::Finding& finding = m_pending[m_placed];
            const QTextBlock block =
                finding.line >= 1 ? m_document->findBlockByNumber(finding.line - 1) : QTextBlock();
            if (block.isValid())
                add(block, finding, static_cast<int>(m_placed));
        }
        batch.endEditBlock();
        sortFrom(placedBefore);
    }
    if (m_placed < m_pending.size())
        m_placing.start();
    else
        m_pending = {};
    emit changed();
}

void FaultMarks::sortFrom(std::ptrdiff_t placedBefore) {
    const auto byStart = [](const Mark& a, const Mark& b) { return a.start.position() < b.start.position(); };
    const auto middle = m_marks.begin() + placedBefore;
    std::stable_sort(middle, m_marks.end(), byStart);
    std::inplace_merge(m_marks.begin(), middle, m_marks.end(), byStart);
}

void FaultMarks::clear() {
    reset(m_document, {});
}

// The message text is made from the document's bytes, so it is read back one byte a character,
// as the editor reads a file.
void FaultMarks::add(const QTextBlock& block, const compiler::Finding& finding, int order) {
    const FaultStretch stretch = FaultStretchAt(block.text(), finding.column);
    const int start = block.position() + static_cast<int>(stretch.start);
    int end = block.position() + static_cast<int>(stretch.end);
    bool anchored = true;
    // An empty line holds on to its line break instead.
    if (end == start) {
        anchored = block.next().isValid();
        end += anchored ? 1 : 0;
    }
    Mark mark;
    mark.start = QTextCursor(m_document);
    mark.start.setPosition(start);
    mark.end = QTextCursor(m_document);
    mark.end.setPosition(end);
    mark.end.setKeepPositionOnInsert(true);
    const std::string message = compiler::MessageText(finding);
    mark.message = QString::fromLatin1(message.data(), static_cast<qsizetype>(message.size()));
    mark.order = order;
    mark.anchored = anchored;
    m_marks.push_back(std::move(mark));
}

void FaultMarks::onContentsChange(int position, int, int added) {
    const auto dropped = std::stable_partition(m_marks.begin(), m_marks.end(), [](const Mark& mark) {
        return !mark.anchored || mark.end.position() > mark.start.position();
    });
    bool touched = dropped != m_marks.end();
    if (touched) {
        if (m_dropped.empty())
            QTimer::singleShot(0, this, [this] { m_dropped.clear(); });
        m_dropped.insert(m_dropped.end(), std::make_move_iterator(dropped),
                         std::make_move_iterator(m_marks.end()));
        m_marks.erase(dropped, m_marks.end());
    }
    for (auto it = m_marks.begin(); !touched && it != m_marks.end(); ++it)
        touched = it->start.position() <= position + added && it->end.position() >= position;
    if (touched)
        emit changed();
}

std::vector<FaultMarks::Mark>::const_iterator FaultMarks::firstFrom(int position) const {
    return std::partition_point(m_marks.begin(), m_marks.end(),
                                [position](const Mark& mark) { return mark.start.position() < position; });
}

QTextBlock FaultMarks::blockOf(const Mark& mark) const {
    return m_document ? m_document->findBlock(mark.start.position()) : QTextBlock();
}

bool FaultMarks::holds(const QTextBlock& block) const {
    return !m_marks.empty() && m_document && block.document() == m_document;
}

bool FaultMarks::hasMarks(const QTextBlock& block) const {
    if (!holds(block))
        return false;
    const auto it = firstFrom(block.position());
    return it != m_marks.end() && it->start.position() < block.position() + block.length();
}

QStringList FaultMarks::messagesOf(const QTextBlock& block) const {
    if (!holds(block))
        return {};
    std::vector<const Mark*> marks;
    const int end = block.position() + block.length();
    for (auto it = firstFrom(block.position()); it != m_marks.end() && it->start.position() < end; ++it)
        marks.push_back(&*it);
    std::sort(marks.begin(), marks.end(), [](const Mark* a, const Mark* b) { return a->order < b->order; });
    QStringList messages;
    for (const Mark* mark : marks)
        messages << mark->message;
    return messages;
}

QTextBlock FaultMarks::nextMarked(const QTextBlock& block) const {
    if (!holds(block))
        return {};
    const auto it = firstFrom(block.position() + block.length());
    return blockOf(it != m_marks.end() ? *it : m_marks.front());
}

QTextBlock FaultMarks::previousMarked(const QTextBlock& block) const {
    if (!holds(block))
        return {};
    const auto it = firstFrom(block.position());
    return blockOf(it != m_marks.begin() ? *std::prev(it) : m_marks.back());
}

QList<QTextEdit::ExtraSelection> FaultMarks::underlines(const QTextBlock& first, const QTextBlock& last,
                                                        const QTextCharFormat& format) const {
    QList<QTextEdit::ExtraSelection> selections;
    if (!holds(first) || last.document() != first.document())
        return selections;
    const int end = last.position() + last.length();
    for (auto it = firstFrom(first.position()); it != m_marks.end() && it->start.position() < end; ++it) {
        const QTextBlock block = blockOf(*it);
        const int stop = std::min(it->end.position(), block.position() + block.length() - 1);
        if (stop <= it->start.position())
            continue;
        QTextCursor cursor(it->start);
        cursor.setPosition(stop, QTextCursor::KeepAnchor);
        selections.append({cursor, format});
    }
    return selections;
}

} // namespace varko::maintree
