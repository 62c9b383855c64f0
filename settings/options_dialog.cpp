#include "settings/options_dialog.h"

#include <algorithm>
#include <cstdio>

#include "platform/dialog.h"
#include "res/resource.h"
#include "settings/options_keys.h"
#include "settings/settings_dialog.h"

namespace {

// A number: its edit, the spin buttons beside it and its range.
struct NumberRow {
    int32_t* (*field)(Options*);
    int edit;
    int spin;
    int low;
    int high;
};

// A 0/1 option shown as a check box.
struct CheckRow {
    int32_t* (*field)(Options*);
    int box;
};

const NumberRow kNumberRows[] = {
    {[](Options* o) { return &o->edges.dwellMs; }, IDC_DWELL_EDIT, IDC_DWELL_SPIN, 0, 2000},
    {[](Options* o) { return &o->edges.cornerPx; }, IDC_CORNER_EDIT, IDC_CORNER_SPIN, 0, 200},
    {[](Options* o) { return &o->edges.pagePauseMs; }, IDC_PAUSE_EDIT, IDC_PAUSE_SPIN, 0, 3000},
};

const CheckRow kCheckRows[] = {
    {[](Options* o) { return &o->edges.left; }, IDC_EDGE_LEFT},
    {[](Options* o) { return &o->edges.right; }, IDC_EDGE_RIGHT},
    {[](Options* o) { return &o->edges.top; }, IDC_EDGE_TOP},
    {[](Options* o) { return &o->edges.bottom; }, IDC_EDGE_BOTTOM},
    {[](Options* o) { return &o->edges.carryDraggedWindow; }, IDC_CARRY},
    {[](Options* o) { return &o->edges.pauseInFullscreen; }, IDC_PAUSE_FULLSCREEN},
    {[](Options* o) { return &o->navigator.wheelScrolls; }, IDC_WHEEL_SCROLLS},
    {[](Options* o) { return &o->edges.pauseInFullscreen; }, IDC_PAUSE_FULLSCREEN},
};

// [General] Language: the radio button of each value, kLanguageAuto first.
constexpr int kLanguageButtons[] = {IDC_LANGUAGE_AUTO, IDC_LANGUAGE_JA, IDC_LANGUAGE_EN};
// [Focus] FollowFocus: the radio button of each value, kFollowView first.
constexpr int kFollowButtons[] = {IDC_FOCUS_VIEW, IDC_FOCUS_WINDOW, IDC_FOCUS_OFF};

}  // namespace

int OptionsDialog::onInit(platform::WindowHandle dialog, const Options& current) {
    Options shown = current;
    for (const NumberRow& row : kNumberRows) {
        platform::setSpinRange(dialog, row.spin, row.low, row.high);
        char text[16];
        std::snprintf(text, sizeof text, "%d", std::clamp(*row.field(&shown), row.low, row.high));
        platform::setControlText(dialog, row.edit, text);
    }
    for (const CheckRow& row : kCheckRows) platform::setChecked(dialog, row.box, *row.field(&shown) != 0);
    showKeys(dialog, shown.keys, hotkeys);
    int32_t language = shown.general.language;
    if (language < kLanguageAuto || language > kLanguageEn) language = kLanguageAuto;
    for (int32_t i = kLanguageAuto; i <= kLanguageEn; ++i)
        platform::setChecked(dialog, kLanguageButtons[i], i == language);
    int32_t follow = shown.focus.followFocus;
    if (follow < kFollowView || follow > kFollowOff) follow = kFollowView;
    for (int32_t i = kFollowView; i <= kFollowOff; ++i)
        platform::setChecked(dialog, kFollowButtons[i], i == follow);
    return 0;
}

int OptionsDialog::onOk(platform::WindowHandle dialog, Options* options) {
    if (readKeys(dialog, &options->keys) != 0) return 1;
    for (const NumberRow& row : kNumberRows) {
        int32_t* value = row.field(options);
        *value = std::clamp(readDialogInt(dialog, row.edit, *value), row.low, row.high);
    }
    for (const CheckRow& row : kCheckRows) *row.field(options) = platform::isChecked(dialog, row.box) ? 1 : 0;
    for (int32_t i = kLanguageAuto; i <= kLanguageEn; ++i) {
        if (platform::isChecked(dialog, kLanguageButtons[i])) options->general.language = i;
    }
    for (int32_t i = kFollowView; i <= kFollowOff; ++i) {
        if (platform::isChecked(dialog, kFollowButtons[i])) options->focus.followFocus = i;
    }
    return 0;
}
