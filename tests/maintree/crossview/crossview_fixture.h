#pragma once

#include "memory_source.h"
#include "qstring_printer.h"
#include "varko/compiler/odf_source.h"

#include <QAbstractItemModel>
#include <QStringList>

#include <gtest/gtest.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <vector>

namespace varko::crossview::testing {

// An editor document's raw text: lines separated by U+2029.
QString RawText(const QStringList& lines);

// The display texts of a model's rows under a parent, the columns of each row joined by " | ".
QStringList RowTexts(const QAbstractItemModel& model, const QModelIndex& parent = {});

// Holds every read back until released, so a test can post a newer request while the worker is
// still inside an older build. The destructor releases, so a failing test never hangs.
class HeldSource {
public:
    explicit HeldSource(compiler::OdfSource inner);
    ~HeldSource();

    compiler::OdfSource Source() const;
    // False when no read began within five seconds.
    bool WaitUntilAsked() const;
    void Release() const;

private:
    struct State {
        std::mutex mutex;
        std::condition_variable changed;
        bool asked = false;
        bool released = false;
    };
    compiler::OdfSource m_inner;
    std::shared_ptr<State> m_state = std::make_shared<State>();
};

} // namespace varko::crossview::testing
