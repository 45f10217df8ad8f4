#pragma once

// What the tests that run the real varko-check expect of every run.

#include "child_process.h"

#include <gtest/gtest.h>

#include <string>

namespace run_expectations {

inline constexpr int kClean = 0;
inline constexpr int kFaults = 1;
inline constexpr int kTrouble = 2;

// The child ran to its end: no timeout, no signal, one of varko-check's own statuses.
inline ::testing::AssertionResult Finished(const ChildRun& run) {
    if (run.timedOut)
        return ::testing::AssertionFailure() << "varko-check did not finish; stderr: " << run.err;
    if (run.signal != 0)
        return ::testing::AssertionFailure()
               << "varko-check died of signal " << run.signal << "; stderr: " << run.err;
    if (run.exitStatus > kTrouble)
        return ::testing::AssertionFailure() << "could not run varko-check: status " << run.exitStatus;
    return ::testing::AssertionSuccess();
}

// Checks one run's whole result; a failure names the case.
inline void ExpectRun(const ChildRun& run, int status, const std::string& out, const std::string& err,
                      const std::string& name = "") {
    ASSERT_TRUE(Finished(run)) << name;
    EXPECT_EQ(run.exitStatus, status) << name;
    EXPECT_EQ(run.out, out) << name;
    EXPECT_EQ(run.err, err) << name;
}

} // namespace run_expectations
