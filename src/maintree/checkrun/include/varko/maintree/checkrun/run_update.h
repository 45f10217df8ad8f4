#pragma once

#include "varko/compiler/finding.h"

#include <QList>
#include <QString>

#include <optional>

namespace varko::maintree {

// What a check run has produced since the GUI thread last took its updates, in the order of a
// run: its start, its findings and progress, then its end or the failure that kept it from
// checking.
struct RunUpdate {
    // The line count of a run that began.
    std::optional<int> started;
    QList<compiler::Finding> messages;
    // Lines passed.
    int progress = 0;
    // The message count of a run that ended.
    std::optional<int> finished;
    // The run could not check; the text for the error box.
    std::optional<QString> failure;

    bool empty() const;
    // Adds what came after this update.
    void append(RunUpdate&& later);
};

} // namespace varko::maintree
