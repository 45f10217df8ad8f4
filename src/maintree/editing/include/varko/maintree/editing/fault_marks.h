#pragma once

#include "varko/compiler/finding.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>

#include <vector>

namespace varko::maintree {

// The faults of the last check, anchored in the text so they follow their lines while the user
// edits. Each mark holds the stretch it is about between two cursors: the start moves with text
// typed in front of it, the end stays put when text is typed behind it, so the stretch keeps its
// own characters. When they are all deleted (the line with them) the mark is dropped.
class FaultMarks : public QObject {
    Q_OBJECT

public:
    explicit FaultMarks(QObject* parent = nullptr);

    // Replaces every mark; findings on lines the document does not have are left out. Many
    // findings are placed in slices of a few milliseconds, `changed` following each.
    void reset(QTextDocument* document, const std::vector<compiler::Finding>& findings);
    void clear();
    bool isEmpty() const { return m_marks.empty(); }
    int count() const { return static_cast<int>(m_marks.size()); }
    // While findings of the last reset wait to be placed.
    bool isPlacing() const { return m_placed < m_pending.size(); }

    bool hasMarks(const QTextBlock& block) const;
    // The message of each finding on the block's line, in the order of the findings.
    QStringList messagesOf(const QTextBlock& block) const;
    // The nearest marked line after / before the block's, wrapping around; invalid without marks.
    QTextBlock nextMarked(const QTextBlock& block) const;
    QTextBlock previousMarked(const QTextBlock& block) const;
    // Underlines for the marks on the lines from `first` to `last`.
    QList<QTextEdit::ExtraSelection> underlines(const QTextBlock& first, const QTextBlock& last,
                                                const QTextCharFormat& format) const;

signals:
    // Marks were dropped, or an edit touched the text of one.
    void changed();

private:
    struct Mark {
        QTextCursor start;
        QTextCursor end;
        QString message;
        int order = 0;
        // False for a mark on the last line when it is empty: it has no character to hold on to.
        bool anchored = true;
    };

    // Whether there are marks and the block is of the document they are in; blocks of another
    // document (the editor's before a new one was bound) have none.
    bool holds(const QTextBlock& block) const;
    void placeSome();
    void add(const QTextBlock& block, const compiler::Finding& finding, int order);
    // Sorts the marks placed from `placedBefore` on into the ones before them.
    void sortFrom(std::ptrdiff_t placedBefore);
    void onContentsChange(int position, int removed, int added);
    // The first mark whose start is at or after the position.
    std::vector<Mark>::const_iterator firstFrom(int position) const;
    QTextBlock blockOf(const Mark& mark) const;

    QPointer<QTextDocument> m_document;
    // Sorted by start position; edits move the cursors but never reorder them.
    std::vector<Mark> m_marks;
    // Marks dropped during an edit. Their cursors live on until the edit is over: a document
    // that is cleared (a load, a new document) restores its list of cursors after announcing
    // the change, and a cursor destroyed meanwhile would be left in that list.
    std::vector<Mark> m_dropped;
    // The findings of the last reset, and how many of them have been placed.
    std::vector<compiler::Finding> m_pending;
    std::size_t m_placed = 0;
    QTimer m_placing;
};

} // namespace varko::maintree
