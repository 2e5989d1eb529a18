// Which monitors get a cover, with fake layouts, and a cover's input rules.
#include <gtest/gtest.h>

#include <vector>

#include "renderer/app/monitor_covers.h"

using namespace lumora;

namespace {
struct FakeLayout : MonitorLayout {
    explicit FakeLayout(std::vector<ScreenRect> m) : rects(std::move(m)) {}
    std::vector<ScreenRect> monitors() override { return rects; }
    std::vector<ScreenRect> rects;
};
const ScreenRect kPrimary{0, 0, 1920, 1080};
}  // namespace

TEST(MonitorCovers, EveryOtherMonitorAndNothingThatWouldHideTheShow) {
    const ScreenRect left{-1280, 0, 0, 1024}, above{0, -900, 1600, 0}, right{1920, 200, 3840, 1280};
    struct Case {
        const char* layout;
        std::vector<ScreenRect> monitors, covers;
    };
    const Case cases[] = {
        {"one monitor", {kPrimary}, {}},
        {"two, the second at the left", {kPrimary, left}, {left}},
        {"two, the primary listed last", {right, kPrimary}, {right}},
        {"three", {left, kPrimary, above}, {left, above}},
        {"three, one listed twice", {kPrimary, right, right}, {right}},
        {"a mirror and an overlapping head", {kPrimary, kPrimary, {0, 0, 1024, 768}}, {}},
        {"an empty rectangle", {kPrimary, {100, 100, 100, 900}}, {}},
        {"none reported", {}, {}},
    };
    for (const Case& c : cases) {
        FakeLayout layout(c.monitors);
        EXPECT_EQ(coverRects(layout, kPrimary), c.covers) << c.layout;
    }
}

TEST(MonitorCovers, AClickOrASystemKeyOnACoverEndsTheShow) {
    for (SaverMessage m : {SaverMessage::LeftButtonDown, SaverMessage::RightButtonDown,
                           SaverMessage::MiddleButtonDown, SaverMessage::SysKeyDown}) {
        SaverState show;
        const SaverAction a = coverLayer(show, m, 0);
        EXPECT_TRUE(show.userCloseRequested);
        EXPECT_TRUE(a.postClose);
        EXPECT_EQ(a.reply, SaverAction::Reply::Return);
    }
    for (SaverMessage m : {SaverMessage::MouseMove, SaverMessage::KeyDown, SaverMessage::Close, SaverMessage::Other}) {
        SaverState show;
        const SaverAction a = coverLayer(show, m, 0);
        EXPECT_FALSE(show.userCloseRequested);
        EXPECT_FALSE(a.postClose);
    }
    SaverState asking;
    asking.passwordDialogActive = true;
    EXPECT_FALSE(coverLayer(asking, SaverMessage::LeftButtonDown, 0).postClose);

    SaverState show;
    const SaverAction cursor = coverLayer(show, SaverMessage::SetCursor, 0);
    EXPECT_TRUE(cursor.hideCursor);
    EXPECT_EQ(cursor.result, 1);
    EXPECT_EQ(coverLayer(show, SaverMessage::SysCommand, kSysCommandScreenSave).reply, SaverAction::Reply::Return);
    EXPECT_EQ(coverLayer(show, SaverMessage::SysCommand, 0xF060).reply, SaverAction::Reply::PassOn);  // SC_CLOSE
}
