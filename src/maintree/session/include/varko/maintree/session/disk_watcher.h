#pragma once

#include <QByteArray>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

namespace varko::maintree {

// Watches the open document's file and tells when another program changed or deleted it. The
// editor's own saves never count: after each one the owner calls noteSaved, which makes the
// saved content the known one. A change is judged by content (a hash), so a touch or a rewrite
// with the same bytes is no change. Saves that replace the file (a new file renamed over the old
// one, as this editor and most others save) are followed: the watch moves to the new file, and
// the folder is watched too, so a file deleted and written again is seen.
//
// Events settle for a moment before the file is looked at, so a save in several steps is seen
// once, as its end result. While a receiver of changedOnDisk or deletedOnDisk is busy (a box is
// open), further looks wait until it returns.
class DiskWatcher : public QObject {
    Q_OBJECT

public:
    explicit DiskWatcher(QObject* parent = nullptr);

    void setSettleDelay(int ms) { m_settle.setInterval(ms); }
    QString path() const { return m_path; }

    // After a document was opened or reloaded from `path`: what is on disk now is the known content.
    void watch(const QString& path);
    // After the editor saved `path`. With the bytes it wrote, a program that wrote the file in
    // the same moment is still noticed; without them, what is on disk now is taken as ours.
    void noteSaved(const QString& path);
    void noteSaved(const QString& path, const QByteArray& written);
    // An untitled document: nothing to watch.
    void unwatch();
    // Looks at the file at once, e.g. before a save, so a change made meanwhile by another
    // program is dealt with before it would be overwritten.
    void checkNow();

signals:
    void changedOnDisk(const QString& path);
    // Once each time the file goes missing.
    void deletedOnDisk(const QString& path);

private:
    struct Stamp {
        qint64 size = -1;
        qint64 modified = -1;
        quint64 inode = 0;
        bool operator==(const Stamp&) const = default;
    };

    void clearWatches();
    void point(const QString& path);
    void onFileEvent();
    void onFolderEvent();
    void look();
    // Reads the file; true when its content is not the known one (which it then becomes).
    bool takeContent(const Stamp& stamp);
    void report(void (DiskWatcher::*signal)(const QString&));
    void rearm();
    static Stamp StampOf(const QString& path, bool& exists);

    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    QString m_path;
    QByteArray m_knownHash;
    Stamp m_knownStamp;
    bool m_knownExists = false;
    // A file event always reads the file; a folder event only when the stamp moved.
    bool m_fileEvent = false;
    bool m_reporting = false;
};

} // namespace varko::maintree
