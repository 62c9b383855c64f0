// String ids of the string tables (strings_ja.rc, wideroom_en.rc): the texts
// that the code shows besides the dialog templates and the menu. Included by
// the resource scripts and, through platform/ui_text.h, by the code, so it
// holds nothing but #defines.
#pragma once

#define IDS_DUPLICATE_CAPTION 200
#define IDS_DUPLICATE_TEXT 201
#define IDS_FULL_CAPTION 202
// "%d" stands for the number of entries of the fixed-window list.
#define IDS_FULL_TEXT 203
// A line of the window lists: prefix, title, middle, class name.
#define IDS_LINE_PREFIX 204
#define IDS_LINE_MIDDLE 205
// The help file of the language, looked for beside the exe.
#define IDS_HELP_FILE 206
