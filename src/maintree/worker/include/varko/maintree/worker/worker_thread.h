#pragma once

#include <QObject>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace varko::maintree {

// Runs one task at a time on a thread of its own. The task gets the thread's stop flag, works on
// copies of what it reads and never touches a widget; Worker gives it an outbox for its results.
class WorkerThread : public QObject {
    Q_OBJECT

public:
    // Runs on the worker thread; returning ends the task.
    using Task = std::function<void(const std::atomic<bool>& stop)>;

    explicit WorkerThread(QObject* parent = nullptr);
    // close().
    ~WorkerThread() override;

    // Starts the task on a new thread. False, and nothing happens, while a task runs or once closed.
    bool start(Task task);
    // Asks the running task to stop and returns at once.
    void stop();
    // True from start() until the task's end has been handled on the GUI thread.
    bool running() const { return m_running; }
    // Stops the task and waits for it to end while processing the GUI's events; no task starts
    // afterwards. Owners call it first in their own destructor, while they can still take the
    // results that arrive during the wait.
    void close();

signals:
    // On the GUI thread, once the task has returned; running() is false by then.
    void finished();
    // From the worker thread, for the first result a task posts since the owner last took them.
    void posted();

private:
    void onTaskReturned();

    // One flag per task, so a new task never sees the request meant for the previous one.
    std::shared_ptr<std::atomic<bool>> m_stop;
    std::thread m_thread;
    bool m_running = false;
    bool m_closing = false;
};

} // namespace varko::maintree
