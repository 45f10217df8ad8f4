#pragma once

#include "varko/language/script_outline.h"
#include "varko/maintree/worker/worker.h"

#include <QObject>
#include <QString>

#include <memory>

class QTextDocument;

namespace varko::maintree {

// What one build reads, copied on the GUI thread: the editor's text as the document holds it
// (lines separated by U+2029) and the document's name.
struct HierarchySnapshot {
    QString rawText;
    QString currentFile;
    // The count of text changes when the copy was taken.
    quint64 generation = 0;
};

// Cheap enough for the GUI thread: one copy of the document's text, no per-line work.
HierarchySnapshot TakeHierarchySnapshot(const QTextDocument& document, const QString& currentFile,
                                        quint64 generation);

// The lines of a snapshot as the editor's line operations give them: a last empty line is not
// counted, each line is cut at 4096 characters, and each character is one byte (a character
// beyond Latin-1 becomes "?", as on saving).
textrules::LineList SnapshotLines(const QString& rawText);

// The result of a build: the outline of the text as the build read it, with the text's change
// count of that moment. A later result replaces an earlier one.
struct HierarchyUpdate {
    quint64 generation = 0;
    std::shared_ptr<const language::ScriptOutline> outline;

    void append(HierarchyUpdate&& later) { *this = std::move(later); }
};

// Runs builds of the script hierarchy on its worker, one at a time, and hands each finished
// outline to the GUI thread through built. Closing it, or destroying it, waits for a running
// build to end and drops that build's result.
class HierarchyBuilder : public QObject {
    Q_OBJECT

public:
    explicit HierarchyBuilder(QObject* parent = nullptr);
    ~HierarchyBuilder() override;

    // Starts a build of the snapshot; does nothing and returns false while a build runs.
    // `discard` is released on the worker, so a large old outline is not freed on the GUI thread.
    bool start(HierarchySnapshot snapshot, std::shared_ptr<const language::ScriptOutline> discard = nullptr);
    // Until the build's result has been handed over.
    bool running() const { return m_worker.running(); }
    // Waits for a running build, which reads no stop flag; no build starts afterwards.
    void close();

signals:
    void built(quint64 generation, std::shared_ptr<const language::ScriptOutline> outline);

private:
    void handOver();

    Worker<HierarchyUpdate> m_worker;
    bool m_closing = false;
};

} // namespace varko::maintree
