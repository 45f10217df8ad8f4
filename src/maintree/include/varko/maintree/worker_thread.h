#pragma once

#include <QObject>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace varko::maintree {

// Runs one background job at a time on a thread of its own. The job gets the worker's stop flag
// and must hand its results to the GUI thread itself; it never touches a widget.
class WorkerThread : public QObject {
    Q_OBJECT

public:
    // Runs on the worker; returning ends the worker.
    using Handler = std::function<void(const std::atomic<bool>& stop)>;

    explicit WorkerThread(QObject* parent = nullptr);
    // Close().
    ~WorkerThread() override;

    void SetOnExecute(Handler handler) { m_onExecute = std::move(handler); }

    // Starts a worker that calls the handler once. False, and nothing happens, while one runs.
    bool Start();
    // Asks the running worker to stop and returns at once.
    void Stop();
    // True from Start until the worker's end has been handled on the GUI thread.
    bool Running() const { return m_running; }
    // Stops the worker and waits for it to end while processing the GUI's events; no worker starts
    // afterwards. Owners call it first in their own destructor, while they can still take the
    // results that arrive during the wait.
    void Close();

signals:
    // On the GUI thread, once the worker has ended; Running() is false by then.
    void Ended();
    // Emitted by the worker as its last act; queued to the GUI thread.
    void WorkerReturned();

private:
    void OnWorkerReturned();

    Handler m_onExecute;
    // One flag per worker, so a new worker never sees the request meant for the previous one.
    std::shared_ptr<std::atomic<bool>> m_stop;
    std::thread m_thread;
    bool m_running = false;
    bool m_closing = false;
};

} // namespace varko::maintree
