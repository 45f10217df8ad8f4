#include "varko/maintree/hierarchy_builder.h"

#include "varko/maintree/editor_text.h"

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

struct HierarchyBuilder::Job {
    HierarchySnapshot snapshot;
    std::shared_ptr<const ScriptOutline> discard;
    std::shared_ptr<const ScriptOutline> outline;
};

HierarchyBuilder::HierarchyBuilder(QObject* parent) : QObject(parent) {
    connect(&m_treehiethd, &WorkerThread::Ended, this, &HierarchyBuilder::HandOver);
}

HierarchyBuilder::~HierarchyBuilder() {
    Close();
}

void HierarchyBuilder::Close() {
    m_closing = true;
    m_treehiethd.Close();
}

bool HierarchyBuilder::Start(HierarchySnapshot snapshot, std::shared_ptr<const ScriptOutline> discard) {
    if (m_treehiethd.Running() || m_closing)
        return false;
    m_job = std::make_shared<Job>(Job{std::move(snapshot), std::move(discard), nullptr});
    // The worker reads only its own copies; a build never looks at the stop flag.
    m_treehiethd.SetOnExecute([job = m_job](const std::atomic<bool>&) {
        job->discard.reset();
        const textrules::LineList lines = SnapshotLines(job->snapshot.rawText);
        job->snapshot.rawText.clear();
        job->outline = std::make_shared<const ScriptOutline>(
            BuildScriptOutline(lines, job->snapshot.currentFile.toUtf8().toStdString()));
    });
    const bool started = m_treehiethd.Start();
    m_treehiethd.SetOnExecute({});
    return started;
}

void HierarchyBuilder::HandOver() {
    const std::shared_ptr<Job> job = std::move(m_job);
    if (m_closing || !job || !job->outline)
        return;
    emit Built(job->snapshot.generation, job->outline);
}

} // namespace varko::maintree
