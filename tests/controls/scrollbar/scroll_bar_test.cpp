// The XP scroll bar: thumb geometry and the size rule, the Value rules and
// property store, auto-repeat, dragging and the keyboard, and the pixels its
// drawing sequence leaves (thumb rows by state, grip, end caps, the pressed
// track section, arrows by scheme and state).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/art/art_ids.h"
#include "controls/scrollbar/scroll_bar.h"

namespace lumora {
namespace {

using E = ControlEvent;
using Bar_ = VellumXPHScrollBar;

const Skin& skin() {
    static const Skin s = Skin::loadDirectory(LUMORA_CONTROL_ART_DIR);
    return s;
}

struct Bar {
    HeadlessControlHost host;
    Bar_ bar;
    int changes = 0, scrolls = 0;
    Bar(int32_t width, int32_t max, int32_t largeChange = 10, int32_t value = 0, int32_t min = 0,
        const Skin& s = skin())
        : bar(host, s) {
        bar.onChange = [this] { ++changes; };
        bar.onScroll = [this] { ++scrolls; };
        bar.onResize(width, kBarHeight);
        bar.setLargeChange(largeChange);
        bar.setMax(max);
        bar.setMin(min);
        bar.setValue(value);
        changes = 0;
    }
    const ScrollBarState& st() const { return bar.state(); }
    void run(const std::vector<E>& events) {
        for (const E& e : events) deliver(bar, e);
    }
    void repeatTick() { bar.onTimer(Bar_::kTimer2, true); }
    uint32_t px(int32_t x, int32_t y) const { return bar.surface().at(x, y); }
};

TEST(ScrollBar, ThumbGeometry) {
    struct Case {
        int32_t width, largeChange, max, min, value;
        int32_t thumbWidth, travel, thumbPos;
    } cases[] = {
        {97, 10, 30, 0, 0, 16, 47, 17},   // 63 * 10 / 40 = 15.75
        {97, 10, 100, 0, 0, 10, 53, 17},  // 5.7, raised to the minimum
        {97, 10, 30, 1, 1, 16, 47, 19},   // one thirtieth of 47 along, Min aside
        {97, 10, 30, 0, 30, 16, 47, 64},
        {97, 10, 40, 0, 20, 13, 50, 42},
        {59, 1, 1, 0, 1, 12, 13, 30},     // 12.5 rounds to the even 12
        {59, 1, 2, 0, 1, 10, 15, 24},     // 24.5 rounds to the even 24
    };
    for (const Case& c : cases) {
        Bar b(c.width, c.max, c.largeChange, c.value, c.min);
        EXPECT_EQ(b.st().ThumbWidth, c.thumbWidth) << c.width << " " << c.max;
        EXPECT_EQ(b.st().Travel, c.travel) << c.width << " " << c.max;
        EXPECT_EQ(b.st().ThumbPos, c.thumbPos) << c.width << " " << c.max << " " << c.value;
    }
    // The grip: a 16-pixel thumb has one (a dark line one pixel right of its
    // first light line), a 10-pixel one shows its body there.
    Bar grip(97, 30), plain(97, 100);
    EXPECT_EQ(grip.px(17 + 4, 8), 0xFFFFFFu);
    EXPECT_EQ(grip.px(17 + 5, 8), 0x8CB0F8u);
    EXPECT_EQ(plain.px(17 + 5, 8), rgbFromColorref(0xFDD5C3));
}

// The part a hover finds at the boundaries. Each arrow claims one pixel
// beyond its 17-pixel bitmap (x 17 on the left, x W - 17 on the right), and
// the thumb one pixel beyond its last drawn column; where a thumb at either
// end meets an arrow, the left arrow wins over the thumb and the thumb over
// the right arrow.
TEST(ScrollBar, HitTestAtTheBoundaries) {
    struct Case {
        int32_t width, value;  // Max 30, LargeChange 10
        int32_t x;
        uint8_t part;
    } cases[] = {
        // 97 wide, Value 10: a 16-pixel thumb drawn over x 33 to 48.
        {97, 10, 16, kPartLeftArrow},   {97, 10, 17, kPartLeftArrow},   {97, 10, 18, kPartTrackLeft},
        {97, 10, 32, kPartTrackLeft},   {97, 10, 33, kPartThumb},       {97, 10, 48, kPartThumb},
        {97, 10, 49, kPartThumb},       {97, 10, 50, kPartTrackRight},  {97, 10, 79, kPartTrackRight},
        {97, 10, 80, kPartRightArrow},  {97, 10, 96, kPartRightArrow},
        // The thumb at each end of the track (x 17 to 32, then 64 to 79).
        {97, 0, 17, kPartLeftArrow},    {97, 0, 18, kPartThumb},        {97, 30, 63, kPartTrackLeft},
        {97, 30, 80, kPartThumb},       {97, 30, 81, kPartRightArrow},
        // 200 wide: the right arrow's edge moves with the width.
        {200, 0, 182, kPartTrackRight}, {200, 0, 183, kPartRightArrow},
    };
    for (const Case& c : cases) {
        Bar b(c.width, 30, 10, c.value);
        b.run({E::move(0, c.x, 8)});
        EXPECT_EQ(b.st().HotPart, c.part) << c.width << " wide, Value " << c.value << ", x " << c.x;
    }
    // The table's thumbs sit where it says.
    EXPECT_EQ(Bar(97, 30, 10, 10).st().ThumbPos, 33);
    EXPECT_EQ(Bar(97, 30, 10, 30).st().ThumbPos, 64);
}

TEST(ScrollBar, MaxZeroKeepsTheThumb) {
    Bar b(97, 30, 10, 20, 5);
    const ScrollBarState before = b.st();
    b.bar.setMax(0);
    EXPECT_EQ(b.bar.value(), 5);
    EXPECT_EQ(b.st().ThumbPos, before.ThumbPos);
    EXPECT_EQ(b.st().ThumbWidth, before.ThumbWidth);
}

TEST(ScrollBar, SizeRule) {
    HeadlessControlHost host;
    Bar_ bar(host, skin());
    bar.onResize(20, 40);
    EXPECT_EQ(host.requestedWidth, 34);
    EXPECT_EQ(host.requestedHeight, 17);
    EXPECT_EQ(bar.surface().width, 34);
    EXPECT_EQ(bar.surface().height, 17);
    // 47 pixels wide shows no thumb (the right arrow is the last thing
    // drawn); 48 does.
    EXPECT_EQ(Bar(47, 30).st().LastDrawnCode, 3);
    EXPECT_EQ(Bar(48, 30).st().LastDrawnCode, 2);
}

TEST(ScrollBar, ValueRules) {
    struct Case {
        const char* name;
        std::function<void(Bar_&)> act;
        int32_t value, changes;
    } cases[] = {
        {"Max + 5 at Max", [](Bar_& b) { b.setValue(35); }, 30, 1},
        {"the same value", [](Bar_& b) { b.setValue(30); }, 30, 0},
        {"below Min", [](Bar_& b) { b.setValue(-3); }, 0, 1},
        {"Max below Value", [](Bar_& b) { b.setMax(10); }, 10, 1},
        {"Min above Value", [](Bar_& b) { b.setMin(40000); }, 30, 0},  // out of range: Min 0
    };
    for (const Case& c : cases) {
        Bar b(97, 30, 10, 30);
        c.act(b.bar);
        EXPECT_EQ(b.bar.value(), c.value) << c.name;
        EXPECT_EQ(b.changes, c.changes) << c.name;
    }
    Bar b(97, 30);
    b.bar.setMax(-1);
    EXPECT_EQ(b.bar.max(), 32767);
    b.bar.setMin(-5);
    EXPECT_EQ(b.bar.min(), 0);
}

TEST(ScrollBar, InvalidChangesAreRefusedWithAMessage) {
    struct Case {
        bool large;
        int32_t set, expect;
        bool message;
    } cases[] = {
        {true, 20000, 1, true}, {true, -1, 1, true}, {true, 10000, 10000, false},
        {false, 32768, 1, true}, {false, 0, 0, false},
    };
    for (const Case& c : cases) {
        Bar b(97, 30);
        c.large ? b.bar.setLargeChange(c.set) : b.bar.setSmallChange(c.set);
        EXPECT_EQ(c.large ? b.bar.largeChange() : b.bar.smallChange(), c.expect) << c.set;
        EXPECT_EQ(b.host.messages, c.message ? 1 : 0) << c.set;
        if (c.message) {
            EXPECT_EQ(b.host.lastMessage, "Invalid property value");
        }
    }
}

TEST(ScrollBar, PropertiesSaveAndLoadBack) {
    PropertyBag none;
    Bar(97, 255).bar.writeProperties(none);
    EXPECT_TRUE(none.entries().empty());

    Bar saved(97, 32767, 1, 7, 2);
    saved.bar.setColorScheme(2);
    saved.bar.setSmallChange(3);
    PropertyBag bag;
    saved.bar.writeProperties(bag);
    std::vector<std::string> names;
    for (const auto& e : bag.entries()) names.push_back(e.name);
    EXPECT_EQ(names, (std::vector<std::string>{"LargeChange", "Max", "Min", "SmallChange", "Value", "Colorscheme"}));

    HeadlessControlHost host;
    Bar_ loaded(host, skin());
    loaded.onResize(97, 17);
    loaded.readProperties(bag);
    EXPECT_EQ(loaded.largeChange(), 1);
    EXPECT_EQ(loaded.max(), 32767);
    EXPECT_EQ(loaded.min(), 2);
    EXPECT_EQ(loaded.smallChange(), 3);
    EXPECT_EQ(loaded.value(), 7);
    EXPECT_EQ(loaded.colorScheme(), 2);
    EXPECT_EQ(loaded.thumbColours()[0][1], 0xA29594u);
    EXPECT_EQ(host.messages, 0);
}

TEST(ScrollBar, ArrowRepeat) {
    const E onRight = E::move(0, 90, 8), down = E::down(kLeftButton, 90, 8), up = E::up(kLeftButton, 90, 8);
    // Released before the first 100 ms tick: no step, and the repeat stops.
    Bar quick(97, 30, 10, 10);
    quick.run({onRight, down, up});
    EXPECT_EQ(quick.host.timerMs[Bar_::kTimer2], 100u);
    quick.repeatTick();
    EXPECT_EQ(quick.bar.value(), 10);
    EXPECT_EQ(quick.changes, 0);
    EXPECT_FALSE(quick.host.running(Bar_::kTimer2));

    // Held: one SmallChange a tick, Change for the step and once more.
    Bar held(97, 30, 10, 10);
    held.run({onRight, down});
    for (int i = 0; i < 3; ++i) held.repeatTick();
    EXPECT_EQ(held.bar.value(), 13);
    EXPECT_EQ(held.changes, 6);
    held.run({up});
    held.repeatTick();
    EXPECT_EQ(held.bar.value(), 13);
    EXPECT_FALSE(held.host.running(Bar_::kTimer2));

    // At Min the left arrow cannot step, but each tick still raises Change.
    Bar atMin(97, 30);
    atMin.run({E::move(0, 5, 8), E::down(kLeftButton, 5, 8)});
    atMin.repeatTick();
    EXPECT_EQ(atMin.bar.value(), 0);
    EXPECT_EQ(atMin.changes, 1);
}

TEST(ScrollBar, HeldTrackPressStopsWhenTheThumbReachesTheMouse) {
    Bar b(97, 100);  // a 10-pixel thumb over 53 pixels of travel
    b.run({E::move(0, 60, 8), E::down(kLeftButton, 60, 8)});
    EXPECT_EQ(b.bar.value(), 10);  // the first page at once
    EXPECT_EQ(b.host.timerMs[Bar_::kTimer2], 200u);
    for (int i = 0; i < 50 && b.host.running(Bar_::kTimer2); ++i) b.repeatTick();
    EXPECT_FALSE(b.host.running(Bar_::kTimer2));
    EXPECT_EQ(b.bar.value(), 70);
    EXPECT_LE(b.st().ThumbPos, 60);
    EXPECT_GE(b.st().ThumbPos + b.st().ThumbWidth, 60);
    // While held, the track right of the thumb is drawn pressed; the release
    // redraws it plain.
    const PixelImage& pressed = *skin().bitmap(IDB_SB_TRACK_PRESSED);
    const PixelImage& plain = *skin().bitmap(IDB_SB_TRACK);
    const int32_t x = b.st().ThumbPos + b.st().ThumbWidth + 1;
    EXPECT_EQ(b.px(x, 8), pressed.at(0, 8));
    b.run({E::up(kLeftButton, 60, 8)});
    EXPECT_EQ(b.px(x, 8), plain.at(0, 8));
}

TEST(ScrollBar, DraggingTheThumb) {
    Bar b(97, 30);  // thumb 16 at 17, travel 47
    b.run({E::move(0, 20, 8), E::down(kLeftButton, 20, 8)});
    EXPECT_TRUE(b.st().Dragging);
    struct Step {
        int32_t x, value;
    } steps[] = {{44, 15}, {200, 30}, {0, 0}, {21, 1}};  // 24 / 47 * 30 = 15.3; 1 / 47 * 30 = 0.6
    for (const Step& s : steps) {
        b.run({E::move(kLeftButton, s.x, 8)});
        EXPECT_EQ(b.bar.value(), s.value) << s.x;
        // The thumb follows, drawn pressed.
        EXPECT_EQ(b.px(b.st().ThumbPos + 2, 3), rgbFromColorref(0xECB6A0)) << s.x;
    }
    EXPECT_EQ(b.scrolls, 4);
    b.run({E::up(kLeftButton, 21, 8)});
    EXPECT_FALSE(b.st().Dragging);

    // No travel (the thumb fills the track): a drag changes nothing.
    Bar tight(97, 1, 10000);
    ASSERT_EQ(tight.st().Travel, 0);
    tight.run({E::move(0, 50, 8), E::down(kLeftButton, 50, 8), E::move(kLeftButton, 70, 8)});
    EXPECT_EQ(tight.bar.value(), 0);
    EXPECT_EQ(tight.scrolls, 1);
}

TEST(ScrollBar, Keyboard) {
    struct Case {
        int key;
        int32_t value;
    } cases[] = {{kKeyLeft, 14}, {kKeyUp, 14}, {kKeyRight, 16}, {kKeyDown, 16}, {kKeyPrior, 5},
                 {kKeyNext, 25}, {kKeyHome, 0}, {kKeyEnd, 30},  {'A', 15}};
    for (const Case& c : cases) {
        Bar b(97, 30, 10, 15);
        b.bar.onKeyDown(c.key);
        EXPECT_EQ(b.bar.value(), c.value) << c.key;
        EXPECT_EQ(b.changes, c.value != 15 ? 1 : 0) << c.key;
    }
    Bar off(97, 30, 10, 15);
    off.bar.setEnabled(false);
    off.bar.onKeyDown(kKeyEnd);
    EXPECT_EQ(off.bar.value(), 15);
}

TEST(ScrollBar, AValueBeyondMaxPutsThePressedTrackOffTheBar) {
    // Min raised above Max leaves Value above Max: the thumb's position is
    // computed far past the bar, and the section right of it is empty.
    Bar b(100000, 32767, 1);
    b.run({E::move(0, 50, 8)});  // the track right of the thumb was hovered last
    b.bar.setMin(32767);
    b.bar.setMax(1);
    EXPECT_EQ(b.bar.value(), 32767);
    EXPECT_GT(int64_t{b.st().ThumbPos} + b.st().ThumbWidth, 100000);
    const uint32_t pressed = skin().bitmap(IDB_SB_TRACK_PRESSED)->at(0, 8);
    EXPECT_NE(b.px(100000 - 18, 8), pressed);
}

TEST(ScrollBar, RandomEventsKeepItSound) {
    // Any mix of events and property values, extremes included: no crash,
    // no change of Value without Change, the timers running exactly while
    // their flags say so.
    uint32_t seed = 12345;
    auto next = [&seed](int32_t n) {
        seed = seed * 1103515245u + 12345u;
        return int32_t((seed >> 8) % uint32_t(n));
    };
    const int32_t extremes[] = {INT32_MIN, -40000, -1, 0, 1, 2, 32767, 32768, 10001, INT32_MAX};
    auto pick = [&] { return next(4) == 0 ? extremes[next(10)] : next(400) - 100; };
    Bar b(97, 30);
    for (int i = 0; i < 20000; ++i) {
        const int32_t x = pick(), valueBefore = b.bar.value(), changesBefore = b.changes;
        switch (next(12)) {
        case 0: b.bar.onMouseMove(next(8), x, 8); break;
        case 1: b.bar.onMouseDown(1 << next(3), x, 8); break;
        case 2: b.bar.onMouseUp(1 << next(3), x, 8); break;
        case 3: b.bar.onTimer(1 + next(2), next(2) == 0); break;
        case 4: b.bar.onKeyDown(kKeyPrior + next(8)); break;
        case 5: b.bar.onResize(next(20) == 0 ? x : 30 + next(200), 17); break;
        case 6: b.bar.setValue(x); break;
        case 7: b.bar.setMin(x); break;
        case 8: b.bar.setMax(x); break;
        case 9: next(2) ? b.bar.setLargeChange(x) : b.bar.setSmallChange(x); break;
        case 10: b.bar.setColorScheme(next(6) - 2); break;
        default: b.bar.setEnabled(next(4) != 0); break;
        }
        ASSERT_EQ(b.bar.surface().height, kBarHeight);
        if (b.bar.value() != valueBefore) {
            ASSERT_GT(b.changes, changesBefore) << i;
        }
        ASSERT_EQ(b.host.running(Bar_::kTimer1), b.st().HoverArmed) << i;
        ASSERT_EQ(b.host.running(Bar_::kTimer2), b.st().RepeatArmed) << i;
    }
}

// --- pixels -----------------------------------------------------------------

TEST(ScrollBarPixels, ThumbRowsFollowTheStateTable) {
    struct Case {
        int32_t scheme;
        std::vector<E> events;
        int32_t row;
        uint32_t colorref;  // as the control's tables list them
    } cases[] = {
        {0, {}, 2, 0xF5CAB7},
        {0, {}, 16, 0xD2B59F},
        {0, {E::move(0, 25, 8)}, 11, 0xFFE3D0},                               // hot
        {0, {E::move(0, 25, 8), E::down(kLeftButton, 25, 8)}, 14, 0xEEB098},  // pressed
        {0, {E::move(0, 25, 8), E::down(kLeftButton, 25, 8)}, 3, 0xECB6A0},
        {1, {E::move(0, 25, 8)}, 2, 0x96CBBD},
        {2, {}, 1, 0xA29594},
        {5, {E::move(0, 25, 8), E::down(kLeftButton, 25, 8)}, 4, 0xDDCCCA},  // above 2: silver
    };
    for (const Case& c : cases) {
        Bar b(97, 30);
        b.bar.setColorScheme(c.scheme);
        b.run(c.events);
        EXPECT_EQ(b.px(17 + 2, c.row), rgbFromColorref(c.colorref)) << c.scheme << " row " << c.row;
    }
}

TEST(ScrollBarPixels, GripLinesAndEndCapsOverTheBody) {
    Bar b(97, 30);  // thumb 16 at 17: grip from 21
    const ThumbColourTable& body = b.bar.thumbColours();
    for (int y = 1; y <= 16; ++y) {
        const bool light = y >= 6 && y <= 10, dark = y >= 7 && y <= 11;  // end points left out
        EXPECT_EQ(b.px(21, y), light ? 0xFFFFFFu : rgbFromColorref(body[0][size_t(y)])) << y;
        EXPECT_EQ(b.px(22, y), dark ? 0x8CB0F8u : rgbFromColorref(body[0][size_t(y)])) << y;
    }
    const PixelImage& left = *skin().bitmap(IDB_SB_BLUE_THUMB_LEFT_CAP);
    const PixelImage& right = *skin().bitmap(IDB_SB_BLUE_THUMB_RIGHT_CAP);
    for (int y = 1; y <= 16; ++y) {
        EXPECT_EQ(b.px(17, y), left.at(0, y - 1)) << y;
        EXPECT_EQ(b.px(18, y), left.at(1, y - 1)) << y;
        for (int k = 0; k < 3; ++k) EXPECT_EQ(b.px(17 + 16 - 3 + k, y), right.at(k, y - 1)) << y;
    }
    // The right cap's first column lies over the body's last one.
    EXPECT_NE(right.at(0, 7), rgbFromColorref(body[0][8]));
}

TEST(ScrollBarPixels, ArrowsBySchemeStateAndEnabled) {
    struct Case {
        int32_t scheme;
        bool enabled;
        std::vector<E> events;
        int leftId, rightId;
    } cases[] = {
        {0, true, {}, IDB_SB_BLUE_LEFT_NORMAL, IDB_SB_BLUE_RIGHT_NORMAL},
        {1, true, {E::move(0, 5, 8)}, IDB_SB_OLIVE_LEFT_HOT, IDB_SB_OLIVE_RIGHT_NORMAL},
        {2, true, {E::move(0, 90, 8), E::down(kLeftButton, 90, 8)}, IDB_SB_SILVER_LEFT_NORMAL,
         IDB_SB_SILVER_RIGHT_PRESSED},
        {3, true, {}, IDB_SB_SILVER_LEFT_NORMAL, IDB_SB_SILVER_RIGHT_NORMAL},
        {1, false, {}, IDB_SB_LEFT_DISABLED, IDB_SB_RIGHT_DISABLED},
    };
    for (const Case& c : cases) {
        Bar b(97, 30);
        b.bar.setColorScheme(c.scheme);
        b.bar.setEnabled(c.enabled);
        b.run(c.events);
        const PixelImage& l = *skin().bitmap(c.leftId);
        const PixelImage& r = *skin().bitmap(c.rightId);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 17; ++x) {
                ASSERT_EQ(b.px(x, y + 1), l.at(x, y)) << c.scheme << " left " << x << "," << y;
                ASSERT_EQ(b.px(80 + x, y + 1), r.at(x, y)) << c.scheme << " right " << x << "," << y;
            }
    }
    // Disabled: no thumb, the track shows where it was.
    Bar off(97, 30);
    off.bar.setEnabled(false);
    EXPECT_EQ(off.px(19, 8), skin().bitmap(IDB_SB_TRACK)->at(0, 8));
}

TEST(ScrollBarPixels, MissingBitmapsLeaveTheirAreaUnpainted) {
    Skin partial = skin();
    partial.erase(IDB_SB_TRACK);
    partial.erase(IDB_SB_BLUE_LEFT_NORMAL);
    Bar b(97, 30, 10, 0, 0, partial);
    EXPECT_EQ(b.px(50, 0), 0u);  // the track's row above the arrows and thumb
    EXPECT_EQ(b.px(8, 8), 0u);   // the left arrow
    EXPECT_EQ(b.px(90, 8), skin().bitmap(IDB_SB_BLUE_RIGHT_NORMAL)->at(10, 7));
}

}  // namespace
}  // namespace lumora
