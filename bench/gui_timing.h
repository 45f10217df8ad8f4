#pragma once

// Times every event the GUI thread handles at the top level, by the wall clock (what the user
// waits) and by the thread's own processor time (the same without other programs' share of a
// busy machine).
#include <QApplication>
#include <QElapsedTimer>
#include <QThread>

#include <algorithm>
#include <ctime>

namespace varko::bench {

inline qint64 ThreadCpuNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<qint64>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

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

    void Record(qint64 wall, qint64 cpu, int eventType, const QObject* receiver) {
        if (wall > longestWall) {
            longestWall = wall;
            longestWhat = receiver ? QStringLiteral("event %1 to %2")
                                         .arg(eventType)
                                         .arg(QString::fromLatin1(receiver->metaObject()->className()))
                                   : QStringLiteral("a direct call");
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

} // namespace varko::bench
