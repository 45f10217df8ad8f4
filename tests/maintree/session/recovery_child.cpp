// An editor's document as a separate process: it edits its text in a few steps, keeps a recovery
// copy of it, prints "ready <recovery file>" once the copy of the last step is on disk, and then
// waits to be killed. Arguments: the program directory, the document's name, a file with its text.
#include "varko/maintree/session/recovery_store.h"

#include <QCoreApplication>
#include <QFile>
#include <QTimer>

#include <algorithm>
#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    if (argc != 4)
        return 2;
    QFile source(QString::fromLocal8Bit(argv[3]));
    if (!source.open(QIODevice::ReadOnly))
        return 2;
    const QString text = QString::fromLatin1(source.readAll());
    const QString name = QString::fromLocal8Bit(argv[2]);

    varko::maintree::RecoveryStore store(
        varko::maintree::RecoveryStore::FolderFor(QString::fromLocal8Bit(argv[1])));
    store.setDelays(50, 1000);
    qsizetype typed = 0;
    // Only the newest copy is ever reported written, so this tells which text is on disk.
    bool tookWholeText = false;
    QTimer typing;
    QObject::connect(&typing, &QTimer::timeout, &store, [&] {
        typed = std::min(text.size(), typed + text.size() / 4 + 1);
        store.documentChanged([&, shown = text.left(typed)] {
            tookWholeText = shown.size() == text.size();
            return varko::maintree::RecoverySnapshot{name, false, shown};
        });
        if (typed == text.size())
            typing.stop();
    });
    QObject::connect(&store, &varko::maintree::RecoveryStore::copyWritten, &store, [&] {
        if (!tookWholeText)
            return;
        std::printf("ready %s\n", QFile::encodeName(store.recoveryFile()).constData());
        std::fflush(stdout);
    });
    typing.start(5);
    return application.exec();
}
