// Opening the files the mod's views and the editor's names lead to, and coming back.
#include "varko/maintree/document/document_names.h"
#include "varko/maintree/document/documents.h"
#include "varko/maintree/editor/editor_pane.h"
#include "varko/maintree/window/main_window.h"
#include "varko/maintree/window/mod_features.h"

#include <QFileInfo>

namespace varko::maintree {

namespace {

bool SameFile(const QString& a, const QString& b) {
    const QFileInfo first(a), second(b);
    return first.exists() && second.exists() ? first.canonicalFilePath() == second.canonicalFilePath()
                                             : a == b;
}

} // namespace

// The document at the path, opened as Open opens it (the unsaved-changes question first) unless it
// is already the one in the editor. False when it is not the editor's document afterwards.
bool ModFeatures::openDocument(const QString& path) {
    Documents& documents = m_window.documents();
    if (SameFile(path, documents.currentFile()))
        return true;
    if (!QFileInfo(path).isFile()) {
        showStatus(QStringLiteral("File not found: %1").arg(path));
        return false;
    }
    documents.openFile(path);
    return SameFile(path, documents.currentFile());
}

void ModFeatures::openAt(const QString& path, int line) {
    if (openDocument(path))
        showLine(line);
}

void ModFeatures::goToFile() {
    m_navigator->goToFile();
}

// The navigator has noted where the caret was; a document that stays (the question was
// cancelled, the file went) leaves nothing to come back to.
void ModFeatures::openFromNavigator(const QString& path) {
    bool opened = false;
    guarded([&] { opened = openDocument(path); });
    if (!opened)
        m_navigator->back();
}

void ModFeatures::goBack() {
    const std::optional<maintree::FileNavigator::Location> location = m_navigator->back();
    if (!location) {
        showStatus(QStringLiteral("Nothing to go back to"));
        return;
    }
    if (IsUntitled(location->file)) {
        showStatus(QStringLiteral("The document was never saved: %1").arg(location->file));
        return;
    }
    openAt(location->file, location->line);
}

void ModFeatures::showLine(int line) {
    EditorPane& editor = m_window.editor();
    const int start = editor.startOfLine(std::max(line, 1) - 1);
    if (start >= 0)
        editor.setSelStart(start);
    editor.ensureCursorVisible();
    editor.setFocus();
}

} // namespace varko::maintree
