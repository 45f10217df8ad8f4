#include "varko/maintree/session/recovery_store.h"

#include "recovery_shared.h"
#include "varko/maintree/session/recovery_record.h"

#include <QDir>
#include <QFile>

#include <algorithm>

namespace varko::maintree {

namespace {

RecoveryRecord RecordOf(const RecoverySnapshot& snapshot) {
    RecoveryRecord record;
    record.documentName = QFile::encodeName(snapshot.documentName).toStdString();
    record.untitled = snapshot.untitled;
    record.bytes = SnapshotBytes(snapshot.text).toStdString();
    return record;
}

} // namespace

QByteArray SnapshotBytes(const QString& text) {
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t code = text[i].unicode();
        bytes[i] = code == QChar::ParagraphSeparator ? '\n' : code > 0xFF ? '?' : static_cast<char>(code);
    }
    return bytes;
}

RecoveryStore::RecoveryStore(const QString& folder, QObject* parent, Executor executor)
    : QObject(parent), m_shared(std::make_shared<Shared>(QFile::encodeName(folder).toStdString())),
      m_executor(std::move(executor)) {
    if (!m_executor)
        m_executor = [this](std::function<void()> job) {
            m_worker.start([job = std::move(job)](const std::atomic<bool>&) { job(); });
        };
    m_shared->announce = [this] { QMetaObject::invokeMethod(this, "takeOutcome", Qt::QueuedConnection); };
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &RecoveryStore::writeNow);
}

RecoveryStore::~RecoveryStore() {
    {
        std::lock_guard lock(m_shared->mutex);
        m_shared->announce = nullptr;
    }
    m_worker.close();
}

QString RecoveryStore::FolderFor(const QString& appDir) {
    return QDir(appDir).filePath(QStringLiteral(".recovery"));
}

void RecoveryStore::setDelays(int idleMs, int longestWaitMs) {
    m_idleMs = idleMs;
    m_longestWaitMs = longestWaitMs;
}

bool RecoveryStore::enabled() const {
    return m_shared->folder.Ready();
}

QString RecoveryStore::recoveryFile() const {
    return enabled() ? QFile::decodeName(QByteArray::fromStdString(m_shared->folder.DataPath())) : QString();
}

void RecoveryStore::documentChanged(SnapshotGetter getter) {
    if (!enabled()) {
        reportOff();
        return;
    }
    m_getter = std::move(getter);
    // Typing that never pauses still gets a copy now and then.
    if (!m_timer.isActive())
        m_pendingSince.start();
    const qint64 left = std::max<qint64>(0, m_longestWaitMs - m_pendingSince.elapsed());
    m_timer.start(static_cast<int>(std::min<qint64>(m_idleMs, left)));
}

void RecoveryStore::writeNow() {
    m_timer.stop();
    if (!m_getter)
        return;
    RecoverySnapshot snapshot = std::exchange(m_getter, {})();
    const std::uint64_t generation = ++m_generation;
    {
        std::lock_guard lock(m_shared->mutex);
        m_shared->generation = generation;
    }
    m_executor([shared = m_shared, generation, snapshot = std::move(snapshot)] {
        const std::string file = EncodeRecovery(RecordOf(snapshot));
        std::lock_guard lock(shared->mutex);
        if (shared->generation != generation)
            return; // a newer copy, a save or a close came first
        const bool ok = shared->folder.Write(file);
        shared->outcome = Shared::Outcome{generation, ok};
        if (shared->announce)
            shared->announce();
    });
}

void RecoveryStore::dropCopy() {
    m_timer.stop();
    m_getter = {};
    const std::uint64_t generation = ++m_generation;
    std::lock_guard lock(m_shared->mutex);
    m_shared->generation = generation;
    m_shared->folder.Remove();
}

void RecoveryStore::takeOutcome() {
    std::optional<Shared::Outcome> outcome;
    {
        std::lock_guard lock(m_shared->mutex);
        outcome = std::exchange(m_shared->outcome, std::nullopt);
    }
    if (!outcome || outcome->generation != m_generation)
        return; // taken by an earlier call, or overtaken by a newer copy, a save or a close
    if (outcome->ok)
        emit copyWritten();
    else
        reportOff();
}

// Later copies are still attempted; the user hears about it once.
void RecoveryStore::reportOff() {
    if (m_saidOff)
        return;
    m_saidOff = true;
    emit recoveryOff(QStringLiteral("Crash recovery is off: %1 cannot be written.")
                         .arg(QFile::decodeName(QByteArray::fromStdString(m_shared->folder.Folder()))));
}

} // namespace varko::maintree
