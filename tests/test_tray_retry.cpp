// The tray icon is always there: an add that fails (the shell is not ready at
// logon: Shell_NotifyIcon "will often fail when called during Windows
// startup", and the taskbar's re-creation, announced by the registered
// "TaskbarCreated" message, drops every icon;
// https://learn.microsoft.com/en-us/windows/win32/api/shellapi/nf-shellapi-shell_notifyiconw)
// is tried again every few seconds until it succeeds.
#include <gtest/gtest.h>

#include "app/tray_retry.h"

namespace {

// A shell that refuses the first `failures` adds; returns the times of the
// adds tried over `ms` milliseconds polled every 30 ms.
std::vector<uint32_t> tries(TrayRetry* tray, int failures, uint32_t from, uint32_t ms) {
    std::vector<uint32_t> at;
    for (uint32_t now = from; now - from <= ms; now += 30) {
        if (!tray->due(now)) continue;
        at.push_back(now);
        tray->added(static_cast<int>(at.size()) > failures, now);
    }
    return at;
}

}  // namespace

TEST(TrayRetry, AFailedAddIsTriedAgainEveryFewSecondsUntilItSucceeds) {
    struct Row {
        int failures;
        size_t tries;
    } rows[] = {{0, 1}, {1, 2}, {3, 4}};
    for (const Row& r : rows) {
        TrayRetry tray;
        const std::vector<uint32_t> at = tries(&tray, r.failures, 1000, 20000);
        ASSERT_EQ(at.size(), r.tries) << r.failures;
        for (size_t i = 1; i < at.size(); ++i) {
            EXPECT_GE(at[i] - at[i - 1], TrayRetry::kRetryMs);
            EXPECT_LT(at[i] - at[i - 1], TrayRetry::kRetryMs + 30);
        }
        EXPECT_TRUE(tray.shown());
    }
}

TEST(TrayRetry, AShellThatNeverAnswersIsAskedForeverAtTheSamePace) {
    TrayRetry tray;
    const std::vector<uint32_t> at = tries(&tray, 1000, 0, 60000);
    EXPECT_EQ(at.size(), 21u);  // at 0, 3 s, 6 s, ... 60 s
    EXPECT_FALSE(tray.shown());
}

TEST(TrayRetry, ANewTaskbarGetsTheIconAtOnce) {
    TrayRetry tray;
    tray.added(true, 500);
    EXPECT_FALSE(tray.due(100000));
    tray.lost();
    EXPECT_TRUE(tray.due(501));
}

TEST(TrayRetry, TheClockWrapDoesNotStopTheRetries) {
    TrayRetry tray;
    tray.added(false, 0xFFFFF000u);
    EXPECT_FALSE(tray.due(0xFFFFF000u + 100));
    EXPECT_TRUE(tray.due(0xFFFFF000u + TrayRetry::kRetryMs));  // past the wrap
}
