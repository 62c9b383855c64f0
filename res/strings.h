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
// Keys: the view actions' labels in the actions' order (IDS_ACTION_PAGE_LEFT + action).
#define IDS_ACTION_PAGE_LEFT 220
#define IDS_ACTION_PAGE_RIGHT 221
#define IDS_ACTION_PAGE_UP 222
#define IDS_ACTION_PAGE_DOWN 223
#define IDS_ACTION_HOME 224
#define IDS_ACTION_CARRY_LEFT 225
#define IDS_ACTION_CARRY_RIGHT 226
#define IDS_ACTION_CARRY_UP 227
#define IDS_ACTION_CARRY_DOWN 228
#define IDS_ACTION_TOGGLE_NAVIGATOR 229
// The options dialog's marks beside a key field.
#define IDS_KEY_MARK_TAKEN 232
#define IDS_KEY_MARK_TWICE 233
#define IDS_KEY_MARK_PREFIX 234
// The warning box after registering: the text above one line per failing key,
// "label (key): why".
#define IDS_HOTKEY_FAILURES 235
#define IDS_HOTKEY_WHY_TAKEN 236
#define IDS_HOTKEY_WHY_TWICE 237
// Why a key field cannot be read: IDS_COMBO_UNKNOWN_NAME - 1 + the parse status.
#define IDS_COMBO_UNKNOWN_NAME 241
#define IDS_COMBO_NO_KEY 242
#define IDS_COMBO_DUPLICATE 243
#define IDS_COMBO_TWO_KEYS 244
#define IDS_COMBO_EMPTY_PART 245
#define IDS_COMBO_TOO_LONG 246
#define IDS_COMBO_NEEDS_MODIFIER 247
#define IDS_COMBO_ERROR_OTHER 249
// The tray balloon about a program that runs elevated; "%s" stands for the
// program's file name.
#define IDS_OUT_OF_REACH_TITLE 300
#define IDS_OUT_OF_REACH_TEXT 301
// The options dialog's tabs, in their order.
#define IDS_TAB_EDGES 360
#define IDS_TAB_KEYS 361
#define IDS_TAB_WINDOWS 362
#define IDS_TAB_GENERAL 363
// Window rules: the actions as the list shows them, a missing pattern, and
// why a rule cannot be kept (IDS_PATTERN_CONTROL - 1 + checkPattern's status).
#define IDS_RULE_STAY 364
#define IDS_RULE_IGNORE 365
#define IDS_RULE_ANY 366
#define IDS_PATTERN_CONTROL 367
#define IDS_PATTERN_TOO_LONG 368
#define IDS_RULE_NO_PATTERN 369
#define IDS_RULES_FULL_CAPTION 370
#define IDS_RULES_FULL_TEXT 371
// The titles of the rule editor: a new rule, a rule changed.
#define IDS_RULE_ADD_TITLE 372
#define IDS_RULE_EDIT_TITLE 373
