// Taking the foreground: the calls made, in order, for each answer the
// system may give.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "renderer/app/foreground.h"

using namespace lumora;

namespace {

class FakeForeground : public ForegroundPlatform {
public:
    FakeForeground(std::deque<bool> answers, bool canAttach) : answers_(std::move(answers)), canAttach_(canAttach) {}
    bool setForeground() override {
        calls.push_back("set");
        const bool granted = answers_.front();
        answers_.pop_front();
        return granted;
    }
    bool attachToForegroundThread() override {
        calls.push_back("attach");
        return canAttach_;
    }
    void detachFromForegroundThread() override { calls.push_back("detach"); }
    void bringToTop() override { calls.push_back("top"); }
    void log(const std::string& line) override { logged.push_back(line); }

    std::vector<std::string> calls, logged;

private:
    std::deque<bool> answers_;
    bool canAttach_;
};

}  // namespace

TEST(Foreground, RetriesOnceWithTheInputAttachedAndAlwaysDetaches) {
    struct Case {
        std::deque<bool> answers;
        bool canAttach;
        ForegroundOutcome outcome;
        std::vector<std::string> calls;
        bool logged;
    };
    const Case cases[] = {
        // Granted at once (the menu's show, or Wine): nothing more.
        {{true}, true, ForegroundOutcome::Granted, {"set"}, false},
        // Refused, then granted with the input attached.
        {{false, true}, true, ForegroundOutcome::GrantedAttached, {"set", "attach", "set", "top", "detach"}, true},
        // Refused twice: detached all the same; the show goes on behind.
        {{false, false}, true, ForegroundOutcome::Refused, {"set", "attach", "set", "top", "detach"}, true},
        // Nothing to attach to: no detach of an attachment never made.
        {{false, false}, false, ForegroundOutcome::Refused, {"set", "attach", "set", "top"}, true},
    };
    for (const Case& c : cases) {
        FakeForeground fake(c.answers, c.canAttach);
        EXPECT_EQ(takeForeground(fake), c.outcome);
        EXPECT_EQ(fake.calls, c.calls);
        EXPECT_EQ(fake.logged.size(), c.logged ? 1u : 0u);
    }
}
