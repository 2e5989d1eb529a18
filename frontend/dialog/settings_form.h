// The settings form `Lumora_M` without its window: the load that fills the
// controls from freshly read settings, the level labels, the picture radio
// choices that act on the live settings at once, the music file choice,
// `CheckAlarmTimes`, and the three buttons (OK writes all twenty values,
// restore defaults fills the controls, cancel writes nothing).
//
// The form reaches its controls through `SettingsFormView`, which the window
// layer implements over real controls and tests over plain values. The
// window's own steps (placement, size, the plates, the zoom, the cursor)
// stay in the window layer.
//
// A failing statement is skipped and the next one runs; here that means a
// store write that fails does not stop the writes after it. OK then reports
// the failure instead of closing, so a save never looks successful when it
// was not.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "common/settings/settings.h"
#include "frontend/dialog/settings_form_layout.h"
#include "common/settings/settings_store.h"

namespace lumora {

class SettingsFormView {
public:
    virtual ~SettingsFormView() = default;
    // HS(i).Value: the bar clamps what it is given to its range, and raises
    // its change event when the value changes.
    virtual void setLevelValue(int i, int32_t value) = 0;
    virtual int32_t levelValue(int i) = 0;
    virtual void setLevelLabel(int i, const std::string& text) = 0;
    // Gives the image of a radio choice the selected or the unselected
    // picture (a choice nobody has set shows none).
    virtual void setRadioPicture(RadioGroup group, int index, bool selected) = 0;
    virtual void setMusicButtonEnabled(bool enabled) = 0;  // Cmd_BGM
    virtual void setTrackBoxEnabled(bool enabled) = 0;     // BGM_Repeat
    virtual void addComboItem(ComboKind kind, int slot, const std::string& item) = 0;
    virtual void setComboText(ComboKind kind, int slot, const std::string& text) = 0;
    virtual std::string comboText(ComboKind kind, int slot) = 0;
    virtual void setFileLabel(const std::string& text) = 0;  // lbl_Fname
    // A message box titled "Lumora" with the critical-stop icon and OK.
    virtual void showError(const std::string& text) = 0;
    // The file dialog: the chosen path, or nothing when cancelled or failed.
    virtual std::optional<std::string> chooseMusicFile() = 0;
    // Unloads the form (closes the window).
    virtual void unload() = 0;
    // The keyboard focus: which stop has it (none when the focus is
    // elsewhere), whether a stop can take it, and giving it to one (a combo
    // box's text then selected whole, ready to be typed over).
    virtual std::optional<FocusStop> focusedStop() = 0;
    virtual bool stopEnabled(FocusStop stop) = 0;
    virtual void focus(FocusStop stop) = 0;
};

inline constexpr char kAlarmTimeErrorText[] = "アラーム時間の設定エラー";
inline constexpr char kSaveFailedText[] = "設定を保存できませんでした";

class SettingsForm {
public:
    using FileExists = std::function<bool(const std::string& path)>;
    SettingsForm(SettingsFormView& view, Settings& live, SettingsStore& store, FileExists fileExists)
        : view_(view), live_(live), store_(store), fileExists_(std::move(fileExists)) {}

    // The load's settings steps: read the settings afresh, then the levels,
    // the alarm rows, weather and illumination, and the music controls.
    void Form_Load();

    // The change and scroll events of HS(i).
    void HS_Change(int i);
    // Mouse down on Img_Cloud(i) / lbl_Cloud(i), and so on; click for the
    // alarm switches.
    void Img_Cloud_MouseDown(int i);
    void Img_Illu_MouseDown(int i);
    void Img_BGM_MouseDown(int i);
    void Img_On_Click(int i);
    void Img_Off_Click(int i);
    // What a press on a radio choice's image or label calls (mouse down for
    // the first three groups, a click for the alarm switches).
    void radioChosen(RadioGroup group, int i);

    void Cmd_BGM_Click();
    void CheckAlarmTimes();
    void Cmd_Set_Click();
    void Cmd_Init_Click();
    void Cmd_Can_Click();

    bool AlarmTimeError = false;

private:
    void markPair(RadioGroup group, int chosen);
    // After a control was disabled: the focus never stays on a disabled one.
    void keepFocusOnEnabled();
    void musicControls();
    bool write(int index, const std::string& text);

    SettingsFormView& view_;
    Settings& live_;
    SettingsStore& store_;
    FileExists fileExists_;
    bool writeFailed_ = false;
};

// "##": the number's digits, and nothing for 0.
std::string formatHashes(int32_t value);

}  // namespace lumora
