#include "settings/settings_dialog.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/virtual_desk.h"
#include "navigator/map_fit.h"
#include "platform/dialog.h"
#include "platform/ui_text.h"
#include "res/resource.h"
#include "store/window_rules.h"

namespace {

// One setting: its edit, slider and buttons, the slider's range, and the
// value that stands in for an unreadable edit.
struct SettingRow {
    int32_t SettingsImage::*field;
    int edit;
    int slider;
    int plus;
    int minus;
    int low;
    int high;
    int fallback;
};

// In the order the controls are set and the sliders read.
constexpr SettingRow kRows[] = {
    {&SettingsImage::hScale, IDC_HSCALE_EDIT, IDC_HSCALE_SLIDER, IDC_HSCALE_PLUS, IDC_HSCALE_MINUS, 1, 10, 5},
    {&SettingsImage::vScale, IDC_VSCALE_EDIT, IDC_VSCALE_SLIDER, IDC_VSCALE_PLUS, IDC_VSCALE_MINUS, 1, 10, 5},
    {&SettingsImage::minStep, IDC_MINSTEP_EDIT, IDC_MINSTEP_SLIDER, IDC_MINSTEP_PLUS, IDC_MINSTEP_MINUS, 1,
     255, 1},
    {&SettingsImage::maxStep, IDC_MAXSTEP_EDIT, IDC_MAXSTEP_SLIDER, IDC_MAXSTEP_PLUS, IDC_MAXSTEP_MINUS, 1,
     255, 64},
    {&SettingsImage::interval, IDC_INTERVAL_EDIT, IDC_INTERVAL_SLIDER, IDC_INTERVAL_PLUS, IDC_INTERVAL_MINUS,
     10, 100, 30},
    {&SettingsImage::naviDivisor, IDC_DIVISOR_EDIT, IDC_DIVISOR_SLIDER, IDC_DIVISOR_PLUS, IDC_DIVISOR_MINUS,
     5, 500, 25},
};

// The order in which apply reads the edits back.
constexpr int kApplyOrder[] = {0, 1, 3, 2, 4, 5};

constexpr int kReadLimit = 256;  // 255 characters and the terminator

// The text with its "%d" replaced by the number. Not a printf format: a
// string table cannot bring a conversion that reads what is not there.
std::string withCount(std::string text, int count) {
    size_t at = text.find("%d");
    if (at != std::string::npos) text.replace(at, 2, std::to_string(count));
    return text;
}

void writeInt(platform::WindowHandle dialog, int id, int value) {
    char text[16];
    std::snprintf(text, sizeof(text), "%d", value);
    platform::setControlText(dialog, id, text);
}

void fillLists(platform::WindowHandle dialog, const CandidateTable& candidates, const FixedWindowList& list) {
    for (int i = 0; i < candidates.count; ++i) {
        platform::listInsert(dialog, IDC_CANDIDATES, i, fixedLine(candidates.rows[i]).c_str());
    }
    for (int i = 0; i < kFixedEntryCount; ++i) {
        const FixedWindowEntry& entry = list.entries[i];
        if (!isFreeEntry(entry)) platform::listInsert(dialog, IDC_FIXED, i, fixedLine(entry).c_str());
    }
}

}  // namespace

int readDialogInt(platform::WindowHandle dialog, int id, int fallback) {
    char text[kReadLimit];
    int length = platform::getControlText(dialog, id, text, kReadLimit);
    if (length <= 0) return fallback;
    int value = 0;
    for (int i = 0; i < length; ++i) {
        if (text[i] < '0' || text[i] > '9') return fallback;
        int digit = text[i] - '0';
        if (value > (INT_MAX - digit) / 10) return fallback;
        value = value * 10 + digit;
    }
    return value;
}

int SettingsDialog::onShow(VirtualDesk* desk, const DialogWindows& windows) {
    platform::WindowHandle dialog = windows.dialog;
    desk->exportSettings(&editImage);
    // A list written elsewhere may have gaps; closed up here, line i of the
    // fixed list is entry i from the start.
    packFixedList(&editImage.fixedWindows);

    for (const SettingRow& row : kRows) {
        int value = editImage.*row.field;
        writeInt(dialog, row.edit, value);
        platform::setTrackbarRange(dialog, row.slider, row.low, row.high);
        platform::setTrackbarPos(dialog, row.slider, value);
    }
    platform::setChecked(dialog, IDC_SHIFT, editImage.needShift != 0);
    platform::setChecked(dialog, IDC_CTRL, editImage.needCtrl != 0);
    platform::setChecked(dialog, IDC_MOVE_MAXIMIZED, editImage.moveMaximized != 0);
    platform::setChecked(dialog, IDC_KEEP_MAXIMIZED, editImage.moveMaximized == 0);
    platform::setChecked(dialog, IDC_SCROLL_ON, editImage.pageMode == 0);
    platform::setChecked(dialog, IDC_SCROLL_OFF, editImage.pageMode != 0);
    syncImage = editImage;

    platform::listReset(dialog, IDC_CANDIDATES);
    platform::listReset(dialog, IDC_FIXED);
    if (collectCandidates(&candidates, dialog) != 0) {
        // Nothing is offered: fixing and releasing find no line to act on.
        candidates.count = 0;
        return kTableFull;
    }
    fillLists(dialog, candidates, editImage.fixedWindows);
    return endMessage(desk);
}

int SettingsDialog::onCommand(VirtualDesk* desk, const DialogWindows& windows, int id) {
    platform::WindowHandle dialog = windows.dialog;
    for (const SettingRow& row : kRows) {
        if (id == row.plus) nudge(dialog, row.slider, 1);
        if (id == row.minus) nudge(dialog, row.slider, -1);
    }
    switch (id) {
        case IDC_APPLY:
            apply(desk, windows, false);
            break;
        case IDC_SAVE:
            apply(desk, windows, true);
            break;
        case IDC_CANCEL:
            platform::destroyWindow(dialog);
            break;
        case IDC_FIX:
            if (!fix(dialog)) return 0;
            break;
        case IDC_RELEASE:
            release(dialog);
            break;
        default:
            break;
    }
    return endMessage(desk);
}

int SettingsDialog::onClose(VirtualDesk* desk, platform::WindowHandle dialog) {
    platform::destroyWindow(dialog);
    return endMessage(desk);
}

int SettingsDialog::onMessage(VirtualDesk* desk, platform::WindowHandle dialog) {
    synchronise(dialog);
    return endMessage(desk);
}

int SettingsDialog::endMessage(VirtualDesk* desk) {
    desk->mapDirty = 1;
    return 0;
}

void SettingsDialog::synchronise(platform::WindowHandle dialog) {
    // "+" and "-" move a slider without a notification, so the sliders are
    // read on every message rather than on their scroll messages only.
    for (const SettingRow& row : kRows) {
        int pos = platform::getTrackbarPos(dialog, row.slider);
        editImage.*row.field = pos;
        if (pos != syncImage.*row.field) writeInt(dialog, row.edit, pos);
    }
    syncImage = editImage;
}

void SettingsDialog::nudge(platform::WindowHandle dialog, int slider, int delta) {
    // The slider keeps the result within its range.
    platform::setTrackbarPos(dialog, slider, platform::getTrackbarPos(dialog, slider) + delta);
}

void SettingsDialog::apply(VirtualDesk* desk, const DialogWindows& windows, bool save) {
    platform::WindowHandle dialog = windows.dialog;
    for (int r : kApplyOrder) {
        const SettingRow& row = kRows[r];
        // Within the slider's range, as always after a pass; a zero divisor or
        // scale must never reach the engine.
        editImage.*row.field = std::clamp(readDialogInt(dialog, row.edit, row.fallback), row.low, row.high);
    }
    editImage.needShift = platform::isChecked(dialog, IDC_SHIFT) ? 1 : 0;
    editImage.needCtrl = platform::isChecked(dialog, IDC_CTRL) ? 1 : 0;
    editImage.moveMaximized = platform::isChecked(dialog, IDC_MOVE_MAXIMIZED) ? 1 : 0;
    editImage.pageMode = platform::isChecked(dialog, IDC_SCROLL_OFF) ? 1 : 0;
    desk->importSettings(&editImage);

    // The navigator's client area is exactly the new map.
    int width = 0;
    int height = 0;
    if (navigatorFrameSize(windows.navFrame, desk->mapWidth(), desk->mapHeight(), &width, &height))
        platform::resizeWindow(windows.navFrame, width, height, true);
    desk->hideUnlessPinned(windows.navFrame);
    platform::resizeWindow(windows.mapPane, desk->mapWidth(), desk->mapHeight(), false);

    // A failed save goes unreported: the settings are in force all the same.
    if (save) {
        desk->writeSettings(kSettingsFileName);
        if (options) {
            writeOptions(kOptionsFileName, *options);
            // The window rules live in the same file, in sections of their own.
            saveWindowRules(kOptionsFileName, desk->rules.rules());
        }
    }
    platform::destroyWindow(dialog);
}

bool SettingsDialog::fix(platform::WindowHandle dialog) {
    int selected = platform::listSelection(dialog, IDC_CANDIDATES);
    if (selected < 0 || selected >= candidates.count) return true;
    int index = 0;
    switch (fixEntry(&editImage.fixedWindows, candidates.rows[selected], &index)) {
        case 0:
            platform::listInsert(dialog, IDC_FIXED, index,
                                 fixedLine(editImage.fixedWindows.entries[index]).c_str());
            return false;
        case kFixDuplicate:
            platform::warningBox(dialog, platform::uiText(IDS_DUPLICATE_TEXT).c_str(),
                                 platform::uiText(IDS_DUPLICATE_CAPTION).c_str());
            return false;
        case kFixListFull:
            platform::warningBox(dialog, withCount(platform::uiText(IDS_FULL_TEXT), kFixedEntryCount).c_str(),
                                 platform::uiText(IDS_FULL_CAPTION).c_str());
            return true;
        default:
            return true;
    }
}

void SettingsDialog::release(platform::WindowHandle dialog) {
    int selected = platform::listSelection(dialog, IDC_FIXED);
    if (selected < 0) return;
    if (releaseEntry(&editImage.fixedWindows, selected) == 0)
        platform::listDelete(dialog, IDC_FIXED, selected);
}
