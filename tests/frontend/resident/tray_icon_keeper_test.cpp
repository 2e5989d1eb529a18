// Keeping the tray icon: when the shell refuses it, retries every 2 s for two
// minutes, and again on a new taskbar; each failure logged.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "frontend/resident/tray_icon_keeper.h"

using namespace lumora;

namespace {

class FakeShell : public TrayShell {
public:
    bool addIcon() override {
        ++adds;
        if (answers.empty()) return false;
        const bool ok = answers.front();
        answers.pop_front();
        return ok;
    }
    void log(const std::string& line) override { logged.push_back(line); }

    std::deque<bool> answers;  // the shell's answers in turn; refusals once used up
    int adds = 0;
    std::vector<std::string> logged;
};

// Runs the retry timer as the platform would, every 2 s from `from` while
// the keeper wants it, up to `until`.
void runTimer(TrayIconKeeper& keeper, uint32_t from, uint32_t until) {
    for (uint32_t t = from + TrayIconKeeper::kRetryIntervalMs; keeper.retrying() && t - from <= until - from;
         t += TrayIconKeeper::kRetryIntervalMs)
        keeper.retryTick(t);
}

}  // namespace

TEST(TrayIconKeeper, RetriesEveryTwoSecondsForTwoMinutes) {
    struct Case {
        const char* what;
        std::deque<bool> answers;
        uint32_t start;
        int adds;
        bool shown;
        size_t failuresLogged;
    };
    const Case cases[] = {
        {"added at once", {true}, 1000, 1, true, 0},
        {"the shell is ready after two retries", {false, false, true}, 1000, 3, true, 2},
        // The first try and 60 retries over two minutes, then it gives up
        // (one more line says so).
        {"never ready", {}, 1000, 61, false, 62},
        {"never ready, across the counter's wrap", {}, 0xFFFFF000u, 61, false, 62},
    };
    for (const Case& c : cases) {
        FakeShell shell;
        shell.answers = c.answers;
        TrayIconKeeper keeper(shell);
        keeper.add(c.start);
        runTimer(keeper, c.start, c.start + 10 * TrayIconKeeper::kRetryForMs);
        EXPECT_EQ(shell.adds, c.adds) << c.what;
        EXPECT_EQ(keeper.shown(), c.shown) << c.what;
        EXPECT_FALSE(keeper.retrying()) << c.what;
        EXPECT_EQ(shell.logged.size(), c.failuresLogged) << c.what;
    }
}

TEST(TrayIconKeeper, ANewTaskbarTriesAgainAndRestartsTheRetries) {
    FakeShell shell;
    TrayIconKeeper keeper(shell);
    keeper.add(0);
    runTimer(keeper, 0, 1000000);
    ASSERT_FALSE(keeper.retrying());
    const int before = shell.adds;
    keeper.retryTick(500000);  // a stray tick after giving up tries nothing
    EXPECT_EQ(shell.adds, before);

    // Explorer restarts: refused once more, then taken on the first retry.
    shell.answers = {false, true};
    keeper.add(600000);
    EXPECT_TRUE(keeper.retrying());
    keeper.retryTick(602000);
    EXPECT_TRUE(keeper.shown());
    EXPECT_FALSE(keeper.retrying());
    EXPECT_EQ(shell.adds, before + 2);
}
