#pragma once

#include <QObject>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace varko::maintree {

// The one way the program works in the background. Tasks run one at a time on a thread of their
// own, each on copies of what it reads; a task reads its stop flag and never touches a widget.
// Every start makes the tasks before it stale: a running one is asked to stop, a waiting one is
// replaced, and nothing a stale task posts reaches the GUI thread (Worker adds the mailbox).
class WorkerThread : public QObject {
    Q_OBJECT

public:
    // Runs on the worker thread; returning ends the task.
    using Task = std::function<void(const std::atomic<bool>& stop)>;

    explicit WorkerThread(QObject* parent = nullptr);
    // close().
    ~WorkerThread() override;

    // The task runs once the stale one before it has returned. Answers the task's generation;
    // 0, and nothing happens, once closed.
    quint64 start(Task task);
    // Asks the latest task to stop; what it posted until then still arrives, and so does its end.
    void stop();
    // Makes every task so far stale: a waiting one never runs, a running one is asked to stop.
    void cancel();
    // From start() until the latest task's end is handled on the GUI thread, or until cancel().
    bool running() const { return m_running; }
    // Cancels and waits for the running task to read its flag and return; no task starts
    // afterwards. An owner whose tasks use its members calls it first in its own destructor.
    void close();

signals:
    // On the GUI thread, after everything the latest task posted; running() is false by then.
    void finished();
    // From the worker thread, for the first result posted since the owner last took them.
    void posted();

protected:
    using GenerationTask = std::function<void(const std::atomic<bool>& stop, quint64 generation)>;

    quint64 startTask(GenerationTask task);
    // With m_mutex held: true while no start or cancel came after the task of this generation.
    bool isCurrent(quint64 generation) const { return generation == m_generation; }
    // With m_mutex held, when a cancel makes what waits in the mailbox stale.
    virtual void dropPosted() {}

    // Guards the waiting task, the generation, the end of the thread and a subclass's mailbox.
    std::mutex m_mutex;

private:
    struct Waiting {
        quint64 generation = 0;
        GenerationTask task;
        std::shared_ptr<std::atomic<bool>> stop;
    };

    void run();
    void taskReturned(quint64 generation);
    // With m_mutex held.
    quint64 makeStale();

    std::condition_variable m_wake;
    std::optional<Waiting> m_waiting;
    // The latest task's flag: each task has its own, so none sees a request meant for another.
    std::shared_ptr<std::atomic<bool>> m_stop;
    quint64 m_generation = 0;
    bool m_quit = false;
    bool m_running = false; // GUI thread only
    std::thread m_thread;
};

} // namespace varko::maintree
