// The window's input rules, driven through the three layers the way the
// window procedure calls them.
#include <gtest/gtest.h>

#include <optional>

#include "renderer/app/saver_input.h"

using namespace lumora;

namespace {

// What one message did, all layers together.
struct Outcome {
    SaverAction work;        // every layer's requests, or-ed
    bool toDefault = false;  // passed through all three layers
    intptr_t result = 0;     // the value returned when not toDefault
    bool askedPassword = false;
};

void merge(SaverAction& into, const SaverAction& a) {
    into.saveCursorPos |= a.saveCursorPos;
    into.hideCursor |= a.hideCursor;
    into.postQuit |= a.postQuit;
    into.startShow |= a.startShow;
    into.stopShow |= a.stopShow;
    into.postClose |= a.postClose;
}

// The window procedure's chain; `password` answers the password check.
Outcome handle(SaverState& state, SaverMessage message, uint64_t wParam = 0, bool password = true) {
    Outcome out;
    for (auto layer : {saverLayer, rendererLayer, defaultLayer}) {
        SaverAction a = layer(state, message, wParam);
        if (a.verifyPassword) {
            out.askedPassword = true;
            a = afterPasswordCheck(state, password);
        }
        merge(out.work, a);
        if (a.reply == SaverAction::Reply::Return) {
            out.result = a.result;
            return out;
        }
    }
    out.toDefault = true;
    return out;
}

SaverState showing() {
    SaverState s;
    s.rendering = true;
    return s;
}

}  // namespace

TEST(SaverInput, WhatEndsTheShowAndWhatDoesNot) {
    using M = SaverMessage;
    struct Case {
        const char* what;
        M message;
        uint64_t wParam;
        bool ends;       // a close request: flag set and WM_CLOSE posted
        bool toDefault;  // otherwise returns `result`
        intptr_t result;
        bool hidesCursor;
    };
    const Case cases[] = {
        {"mouse motion", M::MouseMove, 0, false, false, 0, false},
        {"ordinary key (Escape)", M::KeyDown, 0x1B, false, false, 0, false},
        {"button release, character, double click", M::Other, 0, false, true, 0, false},
        {"left button", M::LeftButtonDown, 0, true, true, 0, false},
        {"right button", M::RightButtonDown, 0, true, true, 0, false},
        {"middle button", M::MiddleButtonDown, 0, true, true, 0, false},
        {"system key (Alt, F10)", M::SysKeyDown, 0x12, true, true, 0, false},
        {"losing activation", M::ActivateApp, 0, true, true, 0, false},
        {"gaining activation", M::ActivateApp, 1, false, true, 0, false},
        {"close nobody asked for", M::Close, 0, false, false, 0, false},
        {"SC_NEXTWINDOW", M::SysCommand, 0xF040, false, false, 0, false},
        {"SC_PREVWINDOW", M::SysCommand, 0xF050, false, false, 0, false},
        {"SC_SCREENSAVE", M::SysCommand, 0xF140, false, false, 0, false},
        {"SC_SCREENSAVE with a low bit set", M::SysCommand, 0xF141, false, true, 0, false},
        {"SC_KEYMENU", M::SysCommand, 0xF100, false, true, 0, false},
        {"SC_CLOSE", M::SysCommand, 0xF060, false, true, 0, false},
        {"cursor query", M::SetCursor, 0, false, false, 1, true},
        {"window shown", M::ShowWindow, 1, false, true, 0, true},
        {"window hidden", M::ShowWindow, 0, false, true, 0, false},
    };
    for (const Case& c : cases) {
        SaverState state = showing();
        const Outcome out = handle(state, c.message, c.wParam);
        EXPECT_EQ(state.userCloseRequested, c.ends) << c.what;
        EXPECT_EQ(out.work.postClose, c.ends) << c.what;
        EXPECT_EQ(out.toDefault, c.toDefault) << c.what;
        if (!c.toDefault) {
            EXPECT_EQ(out.result, c.result) << c.what;
        }
        EXPECT_EQ(out.work.hideCursor, c.hidesCursor) << c.what;
        EXPECT_FALSE(out.askedPassword) << c.what;
        EXPECT_TRUE(state.rendering) << c.what;
    }
}

TEST(SaverInput, CreationAndDestructionInOrder) {
    SaverState state;
    const Outcome created = handle(state, SaverMessage::Create);
    EXPECT_TRUE(created.work.saveCursorPos);
    EXPECT_TRUE(created.work.hideCursor);
    EXPECT_TRUE(created.work.startShow);
    EXPECT_TRUE(created.toDefault);  // the default handler lets creation proceed
    EXPECT_TRUE(state.rendering);

    const Outcome destroyed = handle(state, SaverMessage::Destroy);
    EXPECT_TRUE(destroyed.work.postQuit);
    EXPECT_TRUE(destroyed.work.stopShow);
    EXPECT_FALSE(destroyed.work.startShow);
    EXPECT_TRUE(destroyed.toDefault);
    EXPECT_FALSE(state.rendering);
}

TEST(SaverInput, CloseAfterUserInputAsksThePassword) {
    SaverState state = showing();
    EXPECT_FALSE(handle(state, SaverMessage::Close).toDefault);  // ignored: no input yet
    handle(state, SaverMessage::LeftButtonDown);

    // Refused: the show goes on, the cursor position is taken again, and the
    // next close asks again.
    const Outcome refused = handle(state, SaverMessage::Close, 0, false);
    EXPECT_TRUE(refused.askedPassword);
    EXPECT_FALSE(refused.toDefault);
    EXPECT_EQ(refused.result, 0);
    EXPECT_TRUE(refused.work.saveCursorPos);
    EXPECT_TRUE(state.userCloseRequested);

    const Outcome accepted = handle(state, SaverMessage::Close, 0, true);
    EXPECT_TRUE(accepted.askedPassword);
    EXPECT_TRUE(accepted.toDefault);  // the default handler destroys the window
    EXPECT_FALSE(accepted.work.saveCursorPos);
}

TEST(SaverInput, WhileThePasswordDialogIsOpen) {
    SaverState state = showing();
    state.userCloseRequested = true;
    state.passwordDialogActive = true;
    // Input meant for the dialog neither posts another close nor hides the
    // cursor the dialog needs.
    for (SaverMessage m : {SaverMessage::LeftButtonDown, SaverMessage::SysKeyDown, SaverMessage::SetCursor,
                           SaverMessage::ShowWindow}) {
        const Outcome out = handle(state, m, 1);
        EXPECT_TRUE(out.toDefault);
        EXPECT_FALSE(out.work.postClose);
        EXPECT_FALSE(out.work.hideCursor);
    }
    EXPECT_TRUE(handle(state, SaverMessage::ActivateApp, 0).toDefault);
    EXPECT_FALSE(handle(state, SaverMessage::ActivateApp, 0).work.postClose);
    // The first two layers still apply.
    EXPECT_FALSE(handle(state, SaverMessage::SysCommand, 0xF140).toDefault);
    EXPECT_FALSE(handle(state, SaverMessage::MouseMove).toDefault);
}
