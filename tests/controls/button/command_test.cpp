// The Command button: its transition table run as event scripts (mouse,
// focus, timer, keyboard), the property rules and store, and its face's
// pixels (gradient rows, corners copied, edges stretched, small buttons).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/art/art_ids.h"
#include "controls/button/command_button.h"

namespace lumora {
namespace {

using E = ControlEvent;
const E kMove = E::move(0, 10, 10);
const E kMoveHeld = E::move(kLeftButton, 10, 10);
const E kDown = E::down(kLeftButton, 10, 10);
const E kUp = E::up(kLeftButton, 10, 10);
const E kLeave = E::timer(Command::kTmrMouse, false);  // a tick with the cursor elsewhere
const E kStay = E::timer(Command::kTmrMouse, true);
const E kFocus = E::focus(true);
const E kBlur = E::focus(false);

struct Button {
    HeadlessControlHost host;
    Command button{host};
    int clicks = 0;
    explicit Button(bool initialize = true) {
        button.onClick = [this] { ++clicks; };
        button.onResize(75, 23);
        if (initialize) button.Initialize();
    }
    void run(const std::vector<E>& events) {
        for (const E& e : events) deliver(button, e);
    }
};

TEST(Command, TransitionTable) {
    using L = ButtonLook;
    struct Case {
        const char* name;
        std::vector<E> events;
        uint8_t state;
        ButtonLook look;
        int clicks;
        bool initialize = true;
    } cases[] = {
        {"hover", {kMove}, 2, L::HighLight, 0},
        {"hover, leave", {kMove, kLeave}, 1, L::Normal, 0},
        {"hover, tick over the button", {kMove, kStay}, 2, L::HighLight, 0},
        {"hover, press", {kMove, kDown}, 2, L::Pressed, 0},
        {"hover, press, release", {kMove, kDown, kUp}, 2, L::Normal, 1},
        {"press takes focus, release over it", {kMove, kDown, kFocus, kUp}, 4, L::HighLightSelect, 1},
        {"press, leave, release", {kMove, kDown, kFocus, kLeave, kUp}, 3, L::Selected, 0},
        {"press, leave, come back, release", {kMove, kDown, kFocus, kLeave, kMoveHeld, kUp}, 3, L::Selected, 0},
        {"right button release clicks", {kMove, E::up(kRightButton, 1, 1)}, 2, L::HighLight, 1},
        {"right button press paints nothing", {kMove, E::down(kRightButton, 1, 1)}, 2, L::HighLight, 0},
        {"focus while hovered", {kMove, kFocus}, 4, L::Pressed, 0},
        {"focus, then hover", {kFocus, kMove}, 4, L::HighLightSelect, 0},
        {"focused and hovered, leave", {kFocus, kMove, kLeave}, 3, L::Selected, 0},
        {"focus lost", {kFocus, kMove, kBlur}, 1, L::Normal, 0},
        {"before Initialize: no hover", {kMove, kLeave}, 0, L::Normal, 0, false},
        {"before Initialize: press and release click", {kDown, kUp}, 0, L::Pressed, 1, false},
        {"Space clicks on release", {kFocus, E::keyDown(kKeySpace), E::keyDown(kKeySpace), E::keyUp(kKeySpace)}, 3,
         L::Selected, 1},
        {"Space held shows the pressed face", {kFocus, E::keyDown(kKeySpace)}, 3, L::Pressed, 0},
        {"Return clicks at once", {kFocus, E::keyDown(kKeyReturn)}, 3, L::Selected, 1},
        {"other keys do nothing", {kFocus, E::keyDown('A'), E::keyUp(kKeySpace)}, 3, L::Selected, 0},
        // Space held while the focus goes and comes back: the press ended
        // with the focus, so its release clicks nothing and the next press
        // is a press like any other.
        {"Space held across a focus loss, then pressed again",
         {kFocus, E::keyDown(kKeySpace), kBlur, kFocus, E::keyUp(kKeySpace), E::keyDown(kKeySpace)}, 3, L::Pressed,
         0},
        {"... and released",
         {kFocus, E::keyDown(kKeySpace), kBlur, kFocus, E::keyUp(kKeySpace), E::keyDown(kKeySpace),
          E::keyUp(kKeySpace)},
         3, L::Selected, 1},
    };
    for (const Case& c : cases) {
        Button b(c.initialize);
        b.run(c.events);
        EXPECT_EQ(b.button.state().ButtonState, c.state) << c.name;
        EXPECT_EQ(b.button.look(), c.look) << c.name;
        EXPECT_EQ(b.clicks, c.clicks) << c.name;
    }
}

TEST(Command, DisabledIgnoresEverything) {
    Button b;
    b.button.setEnabled(false);
    b.run({kMove, kDown, kFocus, kLeave, kUp, E::up(kRightButton, 1, 1), E::keyDown(kKeyReturn),
           E::keyDown(kKeySpace), E::keyUp(kKeySpace), kBlur});
    EXPECT_EQ(b.button.state().ButtonState, 1);
    EXPECT_FALSE(b.button.state().MouseIsDown);
    EXPECT_EQ(b.button.look(), ButtonLook::Disable);
    EXPECT_FALSE(b.button.captionLayout(12).enabled);
    EXPECT_EQ(b.clicks, 0);

    // Space held when the button is disabled, released meanwhile: once
    // enabled again, Space presses it as before.
    Button held;
    held.run({kFocus, E::keyDown(kKeySpace)});
    held.button.setEnabled(false);
    held.run({E::keyUp(kKeySpace)});
    held.button.setEnabled(true);
    held.run({E::keyDown(kKeySpace)});
    EXPECT_EQ(held.button.look(), ButtonLook::Pressed);
    held.run({E::keyUp(kKeySpace)});
    EXPECT_EQ(held.clicks, 1);
}

TEST(Command, ReadingPropertiesRepaintsTheNormalFace) {
    Button b(true);
    b.run({kFocus, kMove});
    ASSERT_EQ(b.button.look(), ButtonLook::HighLightSelect);
    // A fresh control: the first read of Enabled also marks it as run.
    EXPECT_TRUE(b.button.getEnabled());
    EXPECT_EQ(b.button.state().FirstRun, 1);
    EXPECT_EQ(b.button.look(), ButtonLook::Normal);
    EXPECT_EQ(b.button.state().ButtonState, 4);  // only the face is lost

    b.run({kMove, kBlur, kFocus});
    ASSERT_EQ(b.button.look(), ButtonLook::Selected);
    b.button.setFontColour(0x0000FF);
    EXPECT_EQ(b.button.getFontColour(), 0x0000FFu);
    EXPECT_EQ(b.button.look(), ButtonLook::Normal);
}

TEST(Command, PropertiesSaveInOrderAndLoadBack) {
    HeadlessControlHost host;
    Command saved(host, ButtonFont{"MS UI Gothic"});
    PropertyBag defaults;
    saved.writeProperties(defaults);
    // A fresh control's caption ("Command") differs from the stored default
    // ("Command1"), and it has not run yet.
    std::vector<std::string> names;
    for (const auto& e : defaults.entries()) names.push_back(e.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Caption", "FirstRun"}));

    saved.readProperties(PropertyBag{});
    saved.setCaption("設定");
    saved.setFont(ButtonFont{"Meiryo", 20, true});
    saved.setFontColour(0x123456);
    saved.setVisible(false);
    saved.setEnabled(false);
    PropertyBag bag;
    saved.writeProperties(bag);
    names.clear();
    for (const auto& e : bag.entries()) names.push_back(e.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Enabled", "Caption", "Font", "FontColour", "Visible"}));

    Command loaded(host, ButtonFont{"MS UI Gothic", 9});
    loaded.readProperties(bag);
    EXPECT_FALSE(loaded.getEnabled());
    EXPECT_EQ(loaded.caption(), "設定");
    EXPECT_EQ(loaded.font().name, "Meiryo");
    EXPECT_EQ(loaded.font().sizePoints, 9);  // only the face comes back
    EXPECT_FALSE(loaded.font().bold);
    EXPECT_EQ(loaded.getFontColour(), 0x123456u);
    EXPECT_FALSE(loaded.getVisible());
    EXPECT_EQ(loaded.look(), ButtonLook::Disable);
}

TEST(Command, CaptionSitsCentredVertically) {
    Button b;
    // (23 * 15 - 12 * 15 - 20) / 2 = 72.5 twips, 4.83 pixels.
    const CaptionLayout c = b.button.captionLayout(12);
    EXPECT_DOUBLE_EQ(c.topTwips, 72.5);
    EXPECT_EQ(c.top, 5);
    EXPECT_EQ(c.width, 75);
    EXPECT_EQ(c.text, "Command");
}

// --- the face ---------------------------------------------------------------

const Skin& skin() {
    static const Skin s = Skin::loadDirectory(LUMORA_CONTROL_ART_DIR);
    return s;
}

TEST(CommandFace, GradientRows) {
    struct Case {
        int32_t row, height;
        bool invert;
        uint32_t rgb;
    } cases[] = {
        {0, 23, false, 0xFFFFFF}, {22, 23, false, 0xC6C5D7}, {0, 23, true, 0xC6C5D7}, {22, 23, true, 0xFFFFFF},
        {1, 3, false, 0xE2E2EB},  // halfway, each channel truncated
        {0, 1, true, 0xC6C5D7},
    };
    for (const Case& c : cases) EXPECT_EQ(gradientRow(c.row, c.height, c.invert), c.rgb) << c.row << "/" << c.height;

    PixelImage face;
    for (bool invert : {false, true}) {
        paintCommandFace(face, 75, 23, ButtonLook::Normal, invert, skin());
        EXPECT_EQ(face.at(37, 4), gradientRow(4, 23, invert));
        EXPECT_EQ(face.at(37, 18), gradientRow(18, 23, invert));
    }
}

// The gradient runs lavender-to-white (inverted) only while the mouse is over
// an unfocused button, and keeps its direction when the focus arrives over a
// hovered one; the face painted must follow, row by row.
TEST(CommandFace, GradientDirectionFollowsTheState) {
    struct Case {
        const char* name;
        std::vector<E> events;
        bool invert;
    } cases[] = {
        {"hovered", {kMove}, true},
        {"hovered, left", {kMove, kLeave}, false},
        {"hovered, clicked", {kMove, kDown, kUp}, true},
        {"focused while hovered", {kMove, kFocus}, true},
        {"focused, then hovered", {kFocus, kMove}, false},
        {"focused while hovered, mouse gone", {kMove, kFocus, kLeave}, false},
        {"focused, hovered, mouse gone", {kFocus, kMove, kLeave}, false},
    };
    for (const Case& c : cases) {
        Button b;
        b.run(c.events);
        PixelImage face;
        b.button.paint(face, skin());
        ASSERT_EQ(face.height, 23) << c.name;
        for (int32_t y : {4, 11, 18}) EXPECT_EQ(face.at(37, y), gradientRow(y, 23, c.invert)) << c.name << " row " << y;
    }
}

TEST(CommandFace, CornersAreCopiedAndEdgesStretched) {
    const PixelImage& art = *skin().bitmap(IDB_BUTTON_HIGHLIGHT);
    PixelImage face;
    // At the bitmap's own size the ring is the bitmap's.
    paintCommandFace(face, 64, 25, ButtonLook::HighLight, true, skin());
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 64; ++x)
            if (x < 4 || y < 4 || x >= 60 || y >= 21) {
                ASSERT_EQ(face.at(x, y), art.at(x, y)) << x << "," << y;
            }
    // 120 x 42: the 56-pixel edges become 112 and the 17-pixel sides 34, each
    // source pixel twice; the corners stay 4 x 4.
    paintCommandFace(face, 120, 42, ButtonLook::HighLight, true, skin());
    for (int i = 0; i < 112; ++i)
        for (int k = 0; k < 4; ++k) {
            ASSERT_EQ(face.at(4 + i, k), art.at(4 + i / 2, k)) << i;
            ASSERT_EQ(face.at(4 + i, 38 + k), art.at(4 + i / 2, 21 + k)) << i;
        }
    for (int j = 0; j < 34; ++j)
        for (int k = 0; k < 4; ++k) {
            ASSERT_EQ(face.at(k, 4 + j), art.at(k, 4 + j / 2)) << j;
            ASSERT_EQ(face.at(116 + k, 4 + j), art.at(60 + k, 4 + j / 2)) << j;
        }
    for (int k = 0; k < 16; ++k) EXPECT_EQ(face.at(116 + k % 4, 38 + k / 4), art.at(60 + k % 4, 21 + k / 4));
}

TEST(CommandFace, SmallButtonsAndMissingBitmapsShowOnlyTheGradient) {
    Skin noNormal = skin();
    noNormal.erase(IDB_BUTTON_NORMAL);
    struct Case {
        int32_t w, h;
        const Skin& skin;
    } cases[] = {{7, 30, skin()}, {30, 7, skin()}, {75, 23, noNormal}};
    for (const Case& c : cases) {
        PixelImage face;
        paintCommandFace(face, c.w, c.h, ButtonLook::Normal, false, c.skin);
        ASSERT_EQ(face.width, c.w);
        for (int y = 0; y < c.h; ++y)
            for (int x = 0; x < c.w; ++x) ASSERT_EQ(face.at(x, y), gradientRow(y, c.h, false)) << c.w << "x" << c.h;
    }
}

}  // namespace
}  // namespace lumora
