// The settings dialog's logic, apart from its Win32 procedure: it works on a
// private copy of the settings and hands it to the engine on apply and save
// only. Every handler ends by marking the navigator map for repainting,
// except where noted.
#pragma once

#include "platform/desktop.h"
#include "settings/fixed_list.h"
#include "store/options.h"
#include "store/records.h"

class VirtualDesk;

// The dialog and the navigator windows that apply refits.
struct DialogWindows {
    platform::WindowHandle dialog;
    platform::WindowHandle navFrame;
    platform::WindowHandle mapPane;
};

// The number in a control's text (at most 255 characters): the fallback when
// the text is empty, holds anything but the digits 0 to 9, or does not fit an
// int.
int readDialogInt(platform::WindowHandle dialog, int id, int fallback);

class SettingsDialog {
public:
    // The dialog is being shown: takes the engine's settings, sets every
    // control and lists the windows. Returns kTableFull, leaving both lists
    // empty and the map unmarked, when there are too many windows to offer.
    int onShow(VirtualDesk* desk, const DialogWindows& windows);
    // A button or another control's command, by control id.
    int onCommand(VirtualDesk* desk, const DialogWindows& windows, int id);
    // Closing by the window frame: as cancel.
    int onClose(VirtualDesk* desk, platform::WindowHandle dialog);
    // Any message without a handler of its own: the edits follow their
    // sliders, however the sliders were moved.
    int onMessage(VirtualDesk* desk, platform::WindowHandle dialog);
    // The common ending alone: the map is repainted at the next tick.
    int endMessage(VirtualDesk* desk);

    SettingsImage editImage;  // the settings as edited
    SettingsImage syncImage;  // editImage as of the last pass: which slider moved
    CandidateTable candidates;
    // The options in force, written to "Wideroom.ini" by save beside the
    // settings file (null: none to write).
    const Options* options = nullptr;

private:
    void synchronise(platform::WindowHandle dialog);
    void nudge(platform::WindowHandle dialog, int slider, int delta);
    void apply(VirtualDesk* desk, const DialogWindows& windows, bool save);
    // False when the map need not be repainted.
    bool fix(platform::WindowHandle dialog);
    void release(platform::WindowHandle dialog);
};
