// The settings form's rules; see settings_form.h.
#include "frontend/dialog/settings_form.h"

#include "common/settings/read_settings.h"
#include "common/settings/settings_parse.h"

namespace lumora {

namespace {
int32_t* levelField(Settings& s, int i) {
    int32_t* fields[kLevelCount] = {&s.MaxFireworks, &s.SmokeSpan,   &s.WindSpeed,
                                    &s.AmbientBrightness, &s.StarDensity, &s.LensFlareBrightness};
    return fields[i];
}

// A two-choice group has pictures 0 and 1 only: an index outside them has
// no image, and setting its picture fails (and is skipped).
bool inPair(int32_t i) { return i == 0 || i == 1; }

// The whole-number field from a combo box's text: the number rounded (a
// half to the even neighbour), 0 for a text that is no number, and the
// field as it was when the number does not fit in 16 bits.
int32_t comboNumber(const std::string& text, int32_t previous) {
    const SettingNumber n = parseSettingNumber(halfWidthNumberText(text), Rounding::HalfToEven);
    if (!n.isNumber) return 0;
    return n.value ? *n.value : previous;
}

// A slot's time text is bad when it is no number or lies outside 0..limit.
bool badTime(const std::string& text, int64_t limit) {
    const SettingNumber n = parseSettingNumber(halfWidthNumberText(text), Rounding::HalfToEven);
    return !n.isNumber || n.outsideZeroTo(limit);
}
}  // namespace

std::string formatHashes(int32_t value) { return value == 0 ? std::string() : std::to_string(value); }

void SettingsForm::Form_Load() {
    ReadSettings(live_, store_, fileExists_);

    for (int i = 0; i < kLevelCount; ++i) {
        // The bar clamps; its label shows the stored number itself.
        view_.setLevelValue(i, *levelField(live_, i));
        view_.setLevelLabel(i, std::to_string(*levelField(live_, i)));
    }

    for (int slot = 0; slot < 3; ++slot) {
        const bool on = live_.AlarmEnabled[std::size_t(slot)] != 0;
        view_.setRadioPicture(RadioGroup::On, slot, on);
        view_.setRadioPicture(RadioGroup::Off, slot, !on);
        for (int h = 0; h <= 23; ++h) view_.addComboItem(ComboKind::Hour, slot, std::to_string(h));
        for (int m = 0; m <= 59; ++m) view_.addComboItem(ComboKind::Minute, slot, std::to_string(m));
        view_.setComboText(ComboKind::Hour, slot, std::to_string(live_.AlarmHour[std::size_t(slot)]));
        view_.setComboText(ComboKind::Minute, slot, std::to_string(live_.AlarmMinute[std::size_t(slot)]));
    }

    markPair(RadioGroup::Cloud, live_.Weather);
    markPair(RadioGroup::Illu, live_.Illumination);

    musicControls();
    view_.setComboText(ComboKind::BgmRepeat, 0, formatHashes(live_.BgmCdTrack));
    for (int k = 0; k <= 30; ++k) view_.addComboItem(ComboKind::BgmRepeat, 0, formatHashes(k));
    view_.setFileLabel(live_.BgmFile);
}

// Picture `chosen` selected and the other unselected; a value outside the
// pair selects nothing (both statements fail).
void SettingsForm::markPair(RadioGroup group, int chosen) {
    if (inPair(chosen)) view_.setRadioPicture(group, chosen, true);
    if (inPair(chosen ^ 1)) view_.setRadioPicture(group, chosen ^ 1, false);
}

// Both music controls off, every music picture unselected, the source's
// picture selected and its control enabled.
void SettingsForm::musicControls() {
    view_.setMusicButtonEnabled(false);
    view_.setTrackBoxEnabled(false);
    for (int i = 0; i < 3; ++i) view_.setRadioPicture(RadioGroup::Bgm, i, false);
    if (live_.BgmSource >= 0 && live_.BgmSource <= 2) view_.setRadioPicture(RadioGroup::Bgm, live_.BgmSource, true);
    if (live_.BgmSource == 1) view_.setTrackBoxEnabled(true);
    if (live_.BgmSource == 2) view_.setMusicButtonEnabled(true);
    keepFocusOnEnabled();
}

void SettingsForm::keepFocusOnEnabled() {
    const std::optional<FocusStop> focused = view_.focusedStop();
    if (!focused || view_.stopEnabled(*focused)) return;
    view_.focus(nextFocusStop(*focused, [this](FocusStop s) { return view_.stopEnabled(s); }));
}

void SettingsForm::HS_Change(int i) { view_.setLevelLabel(i, std::to_string(view_.levelValue(i))); }

void SettingsForm::Img_Cloud_MouseDown(int i) {
    live_.Weather = i;
    markPair(RadioGroup::Cloud, i);
}

void SettingsForm::Img_Illu_MouseDown(int i) {
    live_.Illumination = i;
    markPair(RadioGroup::Illu, i);
}

void SettingsForm::Img_BGM_MouseDown(int i) {
    live_.BgmSource = i;
    musicControls();
}

void SettingsForm::Img_On_Click(int i) {
    live_.AlarmEnabled[std::size_t(i)] = 1;
    view_.setRadioPicture(RadioGroup::Off, i, false);
    view_.setRadioPicture(RadioGroup::On, i, true);
}

void SettingsForm::Img_Off_Click(int i) {
    live_.AlarmEnabled[std::size_t(i)] = 0;
    view_.setRadioPicture(RadioGroup::Off, i, true);
    view_.setRadioPicture(RadioGroup::On, i, false);
}

void SettingsForm::radioChosen(RadioGroup group, int i) {
    switch (group) {
    case RadioGroup::Cloud: Img_Cloud_MouseDown(i); break;
    case RadioGroup::Illu: Img_Illu_MouseDown(i); break;
    case RadioGroup::Bgm: Img_BGM_MouseDown(i); break;
    case RadioGroup::On: Img_On_Click(i); break;
    case RadioGroup::Off: Img_Off_Click(i); break;
    }
}

void SettingsForm::Cmd_BGM_Click() {
    if (const std::optional<std::string> chosen = view_.chooseMusicFile()) {
        live_.BgmFile = *chosen;
        view_.setFileLabel(live_.BgmFile);
    }
}

void SettingsForm::CheckAlarmTimes() {
    std::optional<FocusStop> firstBad;
    auto check = [&](ComboKind kind, int slot, int64_t limit) {
        if (!badTime(view_.comboText(kind, slot), limit)) return;
        AlarmTimeError = true;
        if (!firstBad) firstBad = comboFocusStop(kind, slot);
    };
    for (int slot = 0; slot < 3; ++slot) {
        if (live_.AlarmEnabled[std::size_t(slot)] != 1) continue;  // only a slot that is exactly on
        check(ComboKind::Hour, slot, 23);
        check(ComboKind::Minute, slot, 59);
    }
    if (!AlarmTimeError) return;
    view_.showError(kAlarmTimeErrorText);
    // Back from the message: the first bad box, its text ready to be typed over.
    view_.focus(*firstBad);
}

bool SettingsForm::write(int index, const std::string& text) {
    const bool ok = WriteSetting(store_, index, text);
    if (!ok) writeFailed_ = true;
    return ok;
}

void SettingsForm::Cmd_Set_Click() {
    AlarmTimeError = false;
    CheckAlarmTimes();
    if (AlarmTimeError) return;  // nothing written; the entries stay for the user to mend

    writeFailed_ = false;
    for (int i = 0; i < kLevelCount; ++i) write(i, std::to_string(view_.levelValue(i)));
    write(6, std::to_string(live_.Weather));
    write(7, std::to_string(live_.Illumination));
    write(8, std::to_string(live_.BgmSource));
    live_.BgmCdTrack = comboNumber(view_.comboText(ComboKind::BgmRepeat, 0), live_.BgmCdTrack);
    write(9, std::to_string(live_.BgmCdTrack));
    write(10, live_.BgmFile);
    for (int slot = 0; slot < 3; ++slot) write(11 + slot, std::to_string(live_.AlarmEnabled[std::size_t(slot)]));
    for (int slot = 0; slot < 3; ++slot) {
        int32_t& hour = live_.AlarmHour[std::size_t(slot)];
        hour = comboNumber(view_.comboText(ComboKind::Hour, slot), hour);
        write(14 + slot, std::to_string(hour));
    }
    for (int slot = 0; slot < 3; ++slot) {
        int32_t& minute = live_.AlarmMinute[std::size_t(slot)];
        minute = comboNumber(view_.comboText(ComboKind::Minute, slot), minute);
        write(17 + slot, std::to_string(minute));
    }
    // A save that did not reach the store is not reported as done: the
    // dialog stays, and the next press writes every value again.
    if (writeFailed_) {
        view_.showError(kSaveFailedText);
        return;
    }
    view_.unload();
}

void SettingsForm::Cmd_Init_Click() {
    for (int i = 0; i < kLevelCount; ++i) {
        view_.setLevelValue(i, kLevelDefaults[i]);
        view_.setLevelLabel(i, std::to_string(kLevelDefaults[i]));
    }
    markPair(RadioGroup::Cloud, 1);
    live_.Weather = 1;
    markPair(RadioGroup::Illu, 1);
    live_.Illumination = 1;
    live_.BgmSource = 0;
    musicControls();
    live_.BgmFile.clear();
    view_.setFileLabel("");
    for (int slot = 0; slot < 3; ++slot) {
        live_.AlarmEnabled[std::size_t(slot)] = 0;
        view_.setRadioPicture(RadioGroup::Off, slot, true);
        view_.setRadioPicture(RadioGroup::On, slot, false);
        view_.setComboText(ComboKind::Hour, slot, "0");
        view_.setComboText(ComboKind::Minute, slot, "0");
    }
}

void SettingsForm::Cmd_Can_Click() { view_.unload(); }

}  // namespace lumora
