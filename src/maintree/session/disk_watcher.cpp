#include "varko/maintree/session/disk_watcher.h"

#include "varko/textrules/text_rules.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

#include <optional>
#include <sys/stat.h>

namespace varko::maintree {

namespace {

constexpr int kSettleMs = 200;

std::optional<QByteArray> ReadAll(const QString& path) {
    std::optional<std::string> bytes = textrules::ReadFileBytes(QFile::encodeName(path).toStdString());
    if (!bytes)
        return std::nullopt;
    return QByteArray::fromStdString(*bytes);
}

QByteArray HashOf(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

} // namespace

DiskWatcher::DiskWatcher(QObject* parent) : QObject(parent) {
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_settle, &QTimer::timeout, this, &DiskWatcher::look);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &DiskWatcher::onFileEvent);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &DiskWatcher::onFolderEvent);
}

DiskWatcher::Stamp DiskWatcher::StampOf(const QString& path, bool& exists) {
    struct stat status {};
    exists = ::stat(QFile::encodeName(path).constData(), &status) == 0 && S_ISREG(status.st_mode);
    if (!exists)
        return {};
    return {status.st_size, status.st_mtim.tv_sec * 1000000000LL + status.st_mtim.tv_nsec, status.st_ino};
}

void DiskWatcher::clearWatches() {
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
}

void DiskWatcher::point(const QString& path) {
    clearWatches();
    m_path = QFileInfo(path).absoluteFilePath();
    m_watcher.addPath(QFileInfo(m_path).absolutePath());
    rearm();
}

void DiskWatcher::watch(const QString& path) {
    point(path);
    m_knownStamp = StampOf(m_path, m_knownExists);
    m_knownHash = HashOf(ReadAll(m_path).value_or(QByteArray()));
}

void DiskWatcher::noteSaved(const QString& path) {
    watch(path);
}

void DiskWatcher::noteSaved(const QString& path, const QByteArray& written) {
    point(path);
    m_knownExists = true;
    m_knownHash = HashOf(written);
    // Unknown stamp: the next look reads the file and compares it with what was written.
    m_knownStamp = {};
    m_settle.start();
}

void DiskWatcher::unwatch() {
    m_settle.stop();
    clearWatches();
    m_path.clear();
    m_knownExists = false;
}

void DiskWatcher::checkNow() {
    m_fileEvent = true;
    look();
}

void DiskWatcher::onFileEvent() {
    m_fileEvent = true;
    m_settle.start();
}

void DiskWatcher::onFolderEvent() {
    m_settle.start();
}

// An atomic replace leaves the watch on the old, unlinked file: point it at the current one.
void DiskWatcher::rearm() {
    if (m_path.isEmpty())
        return;
    if (m_watcher.files().contains(m_path))
        m_watcher.removePath(m_path);
    if (QFileInfo::exists(m_path))
        m_watcher.addPath(m_path);
}

void DiskWatcher::look() {
    if (m_path.isEmpty())
        return;
    if (m_reporting) {
        m_settle.start(); // look again once the box that is open has been answered
        return;
    }
    const bool readFile = std::exchange(m_fileEvent, false);
    bool exists = false;
    const Stamp stamp = StampOf(m_path, exists);
    rearm();
    if (!exists) {
        if (std::exchange(m_knownExists, false))
            report(&DiskWatcher::deletedOnDisk);
        return;
    }
    if (m_knownExists && stamp == m_knownStamp && !readFile)
        return;
    if (takeContent(stamp))
        report(&DiskWatcher::changedOnDisk);
}

bool DiskWatcher::takeContent(const Stamp& stamp) {
    const std::optional<QByteArray> bytes = ReadAll(m_path);
    if (!bytes)
        return false; // unreadable for now; the next event looks again
    m_knownStamp = stamp;
    m_knownExists = true;
    const QByteArray hash = HashOf(*bytes);
    if (hash == m_knownHash)
        return false;
    m_knownHash = hash;
    return true;
}

void DiskWatcher::report(void (DiskWatcher::*signal)(const QString&)) {
    // A copy: a receiver may point the watcher elsewhere while the signal is still going out.
    const QString path = m_path;
    m_reporting = true;
    emit(this->*signal)(path);
    m_reporting = false;
}

} // namespace varko::maintree
