#pragma once

#include "memory_source.h"
#include "qstring_printer.h"
#include "varko/compiler/odf_source.h"

#include <QAbstractItemModel>
#include <QStringList>

#include <gtest/gtest.h>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace varko::maintree::testing {

// An editor document's raw text: lines separated by U+2029.
QString RawText(const QStringList& lines);

// The display texts of a model's rows under a parent, the columns of each row joined by " | ".
QStringList RowTexts(const QAbstractItemModel& model, const QModelIndex& parent = {});

// Holds every worker that reaches it until released, so a test can post a newer request while
// the worker is still inside an older one. Its end releases, so a failing test never hangs: a test
// declares its gates after the worker they hold.
class Gate {
public:
    Gate() = default;
    Gate(const Gate&) = delete;
    Gate& operator=(const Gate&) = delete;
    ~Gate() { Release(); }

    // Called on the worker: waits until released.
    std::function<void()> Waiter() const;
    // False when no worker reached the gate within five seconds.
    bool WaitUntilReached() const;
    void Release() const;

private:
    struct State {
        std::mutex mutex;
        std::condition_variable changed;
        bool reached = false;
        bool released = false;
    };
    std::shared_ptr<State> m_state = std::make_shared<State>();
};

// A source whose every read waits at a gate first.
class HeldSource {
public:
    explicit HeldSource(compiler::OdfSource inner) : m_inner(std::move(inner)) {}

    compiler::OdfSource Source() const;
    bool WaitUntilAsked() const { return m_gate.WaitUntilReached(); }
    void Release() const { m_gate.Release(); }

private:
    compiler::OdfSource m_inner;
    Gate m_gate;
};

} // namespace varko::maintree::testing
