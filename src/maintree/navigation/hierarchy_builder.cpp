#include "varko/maintree/navigation/hierarchy_builder.h"

#include "varko/maintree/editor/editor_text.h"

#include <QTextDocument>

namespace varko::maintree {

namespace {

constexpr qsizetype kMaxLineLength = 4096;

} // namespace

HierarchySnapshot TakeHierarchySnapshot(const QTextDocument& document, const QString& currentFile,
                                        quint64 generation) {
    // The raw text keeps each block's characters as they are (a no-break space stays one).
    return {document.toRawText(), currentFile, generation};
}

textrules::LineList SnapshotLines(const QString& rawText) {
    return RawTextLines(rawText, kMaxLineLength);
}

HierarchyBuilder::HierarchyBuilder(QObject* parent) : QObject(parent) {
    // The result is taken at the build's end, so that a build may start as soon as it is shown.
    connect(&m_worker, &WorkerThread::finished, this, &HierarchyBuilder::handOver);
}

HierarchyBuilder::~HierarchyBuilder() {
    close();
}

void HierarchyBuilder::close() {
    m_closing = true;
    m_worker.close();
}

bool HierarchyBuilder::start(HierarchySnapshot snapshot,
                             std::shared_ptr<const language::ScriptOutline> discard) {
    if (m_closing || running())
        return false;
    // The build reads only its own copies and never looks at the stop flag.
    return 0 != m_worker.start([snapshot = std::move(snapshot), discard = std::move(discard)](
                                   const std::atomic<bool>&, Outbox<HierarchyUpdate>& outbox) mutable {
        discard.reset();
        const textrules::LineList lines = SnapshotLines(snapshot.rawText);
        snapshot.rawText.clear();
        outbox.post({snapshot.generation,
                     std::make_shared<const language::ScriptOutline>(
                         language::BuildScriptOutline(lines, snapshot.currentFile.toUtf8().toStdString()))});
    });
}

void HierarchyBuilder::handOver() {
    HierarchyUpdate update = m_worker.take();
    if (m_closing || !update.outline)
        return;
    emit built(update.generation, std::move(update.outline));
}

} // namespace varko::maintree
