#include "varko/maintree/window/reference_search.h"

#include "varko/maintree/assist/mod_file_list.h"
#include "varko/language/references.h"

#include <algorithm>

namespace varko::maintree {

namespace {

// Enough of a line to recognise it; a line of megabytes is not shown whole.
constexpr qsizetype kShownLength = 200;

QString PlaceText(const language::ReferencePlace& place) {
    const std::string& line = place.lineText;
    const QString text =
        QString::fromLatin1(line.data(), std::min(static_cast<qsizetype>(line.size()), kShownLength))
            .trimmed();
    return QStringLiteral("Line %1: %2").arg(place.location.line + 1).arg(text);
}

// The places in one file that name the target; none when the file cannot be read.
std::vector<maintree::ProblemEntry> PlacesIn(const maintree::ModFile& file, const std::string& target,
                                           const compiler::DeclarationTable& declarations) {
    std::vector<maintree::ProblemEntry> places;
    for (const language::ReferencePlace& place : language::ReferencesInFile(file.path, target, declarations))
        places.push_back({place.location.line + 1, PlaceText(place)});
    return places;
}

} // namespace

ReferenceSearch::ReferenceSearch(compiler::CheckEnvironment& environment, QObject* parent)
    : QObject(parent), m_environment(environment) {
    connect(&m_job, &WorkerThread::finished, this, &ReferenceSearch::report);
}

ReferenceSearch::~ReferenceSearch() {
    m_job.close();
}

void ReferenceSearch::start(const QString& fileName) {
    m_job.start([environment = &m_environment, target = fileName.toStdString()](
                    const std::atomic<bool>& stop, Outbox<LatestResult<ReferenceReport>>& outbox) {
        outbox.post({run(*environment, target, stop)});
    });
}

void ReferenceSearch::stop() {
    m_job.stop();
}

void ReferenceSearch::cancel() {
    m_job.cancel();
}

void ReferenceSearch::report() {
    std::optional<ReferenceReport> found = m_job.take().value;
    if (found)
        emit finished(found->fileName, found->files, found->stopped);
}

// On the worker.
ReferenceReport ReferenceSearch::run(compiler::CheckEnvironment& environment, const std::string& target,
                                     const std::atomic<bool>& stop) {
    environment.Refresh();
    std::shared_ptr<const compiler::DeclarationTable> declarations = environment.Declarations();
    if (!declarations)
        declarations = std::make_shared<const compiler::DeclarationTable>();
    std::vector<ReferringFile> found;
    for (const maintree::ModFile& file : maintree::ListModFiles(environment.AddonDirs())) {
        if (stop.load())
            break;
        std::vector<maintree::ProblemEntry> places = PlacesIn(file, target, *declarations);
        if (!places.empty())
            found.push_back({QString::fromStdString(file.path), std::move(places)});
    }
    return {QString::fromStdString(target), std::move(found), stop.load()};
}

} // namespace varko::maintree
