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
    : QObject(parent), m_environment(environment) {}

ReferenceSearch::~ReferenceSearch() {
    m_job.stop();
    m_job.waitForDone();
}

void ReferenceSearch::start(const QString& fileName) {
    m_running = true;
    const quint64 generation = ++m_generation;
    m_job.stop();
    m_job.start([this, target = fileName.toStdString(), generation](const std::atomic<bool>& stop) {
        run(target, generation, stop);
    });
}

void ReferenceSearch::stop() {
    m_job.stop();
}

void ReferenceSearch::cancel() {
    ++m_generation;
    m_running = false;
    m_job.stop();
}

// On the worker.
void ReferenceSearch::run(const std::string& target, quint64 generation, const std::atomic<bool>& stop) {
    m_environment.Refresh();
    std::shared_ptr<const compiler::DeclarationTable> declarations = m_environment.Declarations();
    if (!declarations)
        declarations = std::make_shared<const compiler::DeclarationTable>();
    std::vector<ReferringFile> found;
    for (const maintree::ModFile& file : maintree::ListModFiles(m_environment.AddonDirs())) {
        if (stop.load())
            break;
        std::vector<maintree::ProblemEntry> places = PlacesIn(file, target, *declarations);
        if (!places.empty())
            found.push_back({QString::fromStdString(file.path), std::move(places)});
    }
    const bool stopped = stop.load();
    QMetaObject::invokeMethod(
        this,
        [this, generation, stopped, name = QString::fromStdString(target), found = std::move(found)] {
            if (generation != m_generation)
                return;
            m_running = false;
            emit finished(name, found, stopped);
        },
        Qt::QueuedConnection);
}

} // namespace varko::maintree
