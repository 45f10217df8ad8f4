#include "varko/maintree/session/recovery_store.h"

#include "recovery_shared.h"
#include "varko/maintree/session/recovery_record.h"

#include <QFile>

namespace varko::maintree {

namespace {

enum Button { kRestore = 0, kDiscard = 1 };

RecoveredDocument DocumentOf(const RecoveryRecord& record) {
    RecoveredDocument document;
    document.documentName = QFile::decodeName(QByteArray::fromStdString(record.documentName));
    document.untitled = record.untitled;
    document.bytes = QByteArray::fromStdString(record.bytes);
    document.complete = record.complete;
    return document;
}

} // namespace

QString RecoveryQuestion(const RecoveredDocument& document) {
    const QString name = document.untitled || document.documentName.isEmpty()
                             ? QStringLiteral("an untitled document")
                             : document.documentName;
    QString text =
        QStringLiteral("Varko found unsaved changes to %1 from a session that did not end normally.")
            .arg(name);
    if (!document.complete)
        text += QStringLiteral(" Its recovery file is damaged: only what could be read is offered.");
    return text;
}

int RecoveryStore::offerOrphans(platform::Desktop& desktop, const RestoreCallback& restore) {
    if (!enabled())
        return 0;
    int restored = 0;
    for (OrphanClaim& claim : m_shared->folder.ClaimOrphans()) {
        const RecoveredDocument document = DocumentOf(DecodeRecovery(claim.Read()));
        const int choice = desktop.Choose(QStringLiteral("Recovery"), RecoveryQuestion(document),
                                          {QStringLiteral("Restore"), QStringLiteral("Discard")}, kRestore);
        if (choice == kDiscard) {
            claim.Discard();
        } else if (choice == kRestore && restore(document)) {
            ++restored;
            // The orphan becomes this editor's copy: the text is on disk from the first moment.
            const std::uint64_t generation = ++m_generation;
            std::lock_guard lock(m_shared->mutex);
            m_shared->generation = generation;
            m_shared->folder.Adopt(claim);
        }
    }
    return restored;
}

} // namespace varko::maintree
