#pragma once

// What the GUI benchmarks share: an application that times the GUI thread's tasks, and a large
// sample document.
#include <QApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <QThread>

#include <algorithm>
#include <ctime>

namespace varko::bench {

inline qint64 ThreadCpuNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<qint64>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// Times every event the GUI thread handles at the top level, by the wall clock (what the user
// waits) and by the thread's own processor time (the same without other programs' share of a
// busy machine).
class TimingApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        if (QThread::currentThread() != thread())
            return QApplication::notify(receiver, event);
        QElapsedTimer clock;
        qint64 cpuStart = 0;
        if (m_depth++ == 0) {
            clock.start();
            cpuStart = ThreadCpuNanoseconds();
        }
        const bool handled = QApplication::notify(receiver, event);
        if (--m_depth == 0)
            Record(clock.nsecsElapsed(), ThreadCpuNanoseconds() - cpuStart, event->type(), receiver);
        return handled;
    }

    // Without a receiver: a call the benchmark makes directly, named by `direct`.
    void Record(qint64 wall, qint64 cpu, int eventType, const QObject* receiver,
                const char* direct = "a direct call") {
        if (wall > longestWall) {
            longestWall = wall;
            longestWhat = receiver ? QStringLiteral("event %1 to %2")
                                         .arg(eventType)
                                         .arg(QString::fromLatin1(receiver->metaObject()->className()))
                                   : QString::fromLatin1(direct);
        }
        longestCpu = std::max(longestCpu, cpu);
    }
    void Reset() {
        longestWall = 0;
        longestCpu = 0;
        longestWhat.clear();
    }

    qint64 longestWall = 0;
    qint64 longestCpu = 0;
    QString longestWhat;

private:
    int m_depth = 0;
};

// A document of property lines of several kinds, most of them faulty in some way, or with every
// line an unknown command.
inline QStringList Document(int lineCount, bool everyLineFaulty = false) {
    const QStringList kinds = {
        QStringLiteral("unitName = \"Tank %1\""),
        QStringLiteral("aiPriority = x%1"),
        QStringLiteral("aiFlee = %1"),
        QStringLiteral("baseClass = unit%1"),
        QStringLiteral("noSuchThing%1 = 1"),
        QStringLiteral("aiCombatRange = %1.5f"),
        QStringLiteral("// note %1"),
        QStringLiteral("aiPriority = %1 extra"),
    };
    QStringList lines;
    lines.reserve(lineCount);
    for (int i = 0; i < lineCount; ++i)
        lines << (everyLineFaulty ? QStringLiteral("noSuchThing%1 = 1").arg(i)
                                  : kinds[i % kinds.size()].arg(i));
    return lines;
}

} // namespace varko::bench
