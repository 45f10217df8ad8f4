// Checks of the whole mod and searches for references, shown in "Mod Problems".
#include "varko/maintree/assist/mod_file_list.h"
#include "varko/maintree/assist/mod_files_view.h"
#include "varko/maintree/assist/mod_problems_view.h"
#include "varko/language/document_check.h"
#include "varko/maintree/document/document_names.h"
#include "varko/maintree/window/main_window.h"
#include "varko/maintree/window/mod_features.h"
#include "varko/maintree/window/mod_problems_dock.h"

#include <QFileInfo>

namespace varko::maintree {

void ModFeatures::createSearches() {
    m_checkMod = std::make_unique<maintree::CheckModJob>(
        [this](const textrules::LineList& lines, const std::string& path, const std::atomic<bool>& stop) {
            return checkModFile(lines, path, stop);
        });
    connect(m_checkMod.get(), &maintree::CheckModJob::progress, m_problems, &ModProblemsDock::showProgress);
    connect(m_checkMod.get(), &maintree::CheckModJob::filesChecked, this, &ModFeatures::showCheckedFiles);
    connect(m_checkMod.get(), &maintree::CheckModJob::failed, this,
            [this](const QString& text) { m_checkModFailure = text; });
    connect(m_checkMod.get(), &maintree::CheckModJob::finished, this, &ModFeatures::checkModFinished);
    m_references = std::make_unique<ReferenceSearch>(m_window.environment());
    connect(m_references.get(), &ReferenceSearch::finished, this, &ModFeatures::showReferences);
}

// On the worker, once per file; the first file of a check brings the environment up to date.
maintree::CheckOutcome ModFeatures::checkModFile(const textrules::LineList& lines, const std::string& path,
                                               const std::atomic<bool>& stop) {
    compiler::CheckEnvironment& environment = m_window.environment();
    if (m_refreshBeforeCheck.exchange(false)) {
        environment.Refresh();
        m_modIncludes =
            m_extraChecks.load()
                ? std::make_shared<const compiler::OdfSource>(language::AddonOdfSource(environment))
                : nullptr;
    }
    return language::CheckModDocument(lines, path, environment, m_modIncludes.get(), stop);
}

// Check Mod while a check of the mod runs stops it.
void ModFeatures::checkMod() {
    if (m_checkMod->isRunning()) {
        m_checkMod->stop();
        return;
    }
    m_references->cancel();
    m_checkModFailure.clear();
    m_refreshBeforeCheck = true;
    m_showingCheckMod = true;
    m_problems->begin(QStringLiteral("Checking the mod..."));
    m_checkMod->start(m_window.environment().AddonDirs());
}

void ModFeatures::showCheckedFiles(const std::vector<maintree::ModFileResult>& results) {
    if (!m_showingCheckMod)
        return;
    for (const maintree::ModFileResult& result : results) {
        const QString path = QString::fromStdString(result.path);
        if (result.unreadable)
            m_problems->tree()->addEntries(path, {{1, QStringLiteral("The file cannot be read")}});
        else
            m_problems->tree()->addFile(path, result.findings);
    }
}

void ModFeatures::checkModFinished(bool stopped) {
    if (!m_showingCheckMod)
        return;
    m_showingCheckMod = false;
    const int files = m_problems->tree()->fileCount();
    QString summary = files == 0 ? QStringLiteral("No problems found")
                                 : QStringLiteral("Files with problems: %1").arg(files);
    if (stopped)
        summary = QStringLiteral("Check Mod stopped. ") + summary;
    if (!m_checkModFailure.isEmpty())
        summary = m_checkModFailure;
    m_problems->finish(summary);
    showStatus(summary);
}

void ModFeatures::findReferences() {
    const QString document = currentFile();
    if (IsUntitled(document) || !QFileInfo(document).isFile()) {
        showStatus(QStringLiteral("Save the document first: only a file of the mod can be named"));
        return;
    }
    if (m_checkMod->isRunning())
        m_checkMod->stop();
    m_showingCheckMod = false;
    const QString name = QFileInfo(document).fileName();
    m_problems->begin(QStringLiteral("Looking for references to %1...").arg(name));
    m_references->start(name);
}

void ModFeatures::showReferences(const QString& fileName, const std::vector<ReferringFile>& files,
                                 bool stopped) {
    for (const ReferringFile& file : files)
        m_problems->tree()->addEntries(file.path, file.places);
    QString summary = files.empty()
                          ? QStringLiteral("No file refers to %1").arg(fileName)
                          : QStringLiteral("Files that refer to %1: %2").arg(fileName).arg(files.size());
    if (stopped)
        summary = QStringLiteral("Search stopped. ") + summary;
    m_problems->finish(summary);
    showStatus(summary);
}

void ModFeatures::stopSearches() {
    m_checkMod->stop();
    m_references->stop();
}

void ModFeatures::listModFiles() {
    m_modFiles->refresh(m_window.environment().AddonDirs());
}

} // namespace varko::maintree
