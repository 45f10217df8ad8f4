#pragma once

#include "varko/platform/desktop.h"

#include <QString>

namespace varko::maintree {

// What the editor does when its document's file changed on disk: an unmodified document is
// reloaded at once with the caret kept on its line; a modified one asks the user whether to
// reload and lose the changes or keep their version. A deleted file is reported once; the text
// stays in the editor and keeps its modified state. The owner connects DiskWatcher's signals to
// fileChanged and fileDeleted.
class DiskChangePolicy {
public:
    // The open document as the policy sees it.
    class Document {
    public:
        virtual ~Document() = default;
        virtual bool modified() const = 0;
        // 0-based line of the caret.
        virtual int caretLine() const = 0;
        // Reads the file again as an unmodified document, the caret at the start of `line` (or
        // of the last line when the file is shorter now), and tells the watcher it was loaded.
        virtual void reload(int line) = 0;
        virtual void showStatus(const QString& text) = 0;
    };

    DiskChangePolicy(Document& document, platform::Desktop& desktop)
        : m_document(document), m_desktop(desktop) {}

    void fileChanged(const QString& path);
    void fileDeleted(const QString& path);

    // "The file <path> changed on disk. Reload it and lose your changes, or keep your version?"
    static QString ChangedQuestion(const QString& path);
    // "The file <path> was deleted from disk. Its text stays in the editor."
    static QString DeletedNotice(const QString& path);

private:
    Document& m_document;
    platform::Desktop& m_desktop;
    // The path whose deletion was reported, until the file is back.
    QString m_reportedDeleted;
};

} // namespace varko::maintree
