// Resource, control and command ids. Included by the resource script and by
// the Win32 code, so it holds nothing but #defines.
#pragma once

#define IDR_MENU 101
#define IDD_MAPPANE 102
#define IDI_WIDEROOM 103
#define IDD_NAVFRAME 106
#define IDB_SPLASH 109
#define IDD_SPLASH 110
#define IDD_SETTINGS 114
#define IDD_ABOUT 115
#define IDD_OPTIONS 116
// The rule editor of the options dialog's Windows tab.
#define IDD_RULE_EDITOR 117
// The options dialog's tab pages, in the tabs' order.
#define IDD_PAGE_EDGES 130
#define IDD_PAGE_KEYS 131
#define IDD_PAGE_WINDOWS 132
#define IDD_PAGE_GENERAL 133

#define IDM_SETTINGS 40002
#define IDM_EXIT 40003
#define IDM_ABOUT 40015
#define IDM_HELP 40017

#define WM_TRAYICON 50001

// Settings dialog: one row per setting (edit, slider, "+", "-").
#define IDC_HSCALE_EDIT 1023
#define IDC_VSCALE_EDIT 1024
#define IDC_MINSTEP_EDIT 1025
#define IDC_MAXSTEP_EDIT 1026
#define IDC_INTERVAL_EDIT 1027
#define IDC_DIVISOR_EDIT 1028
#define IDC_HSCALE_SLIDER 1030
#define IDC_VSCALE_SLIDER 1031
#define IDC_MINSTEP_SLIDER 1032
#define IDC_MAXSTEP_SLIDER 1033
#define IDC_INTERVAL_SLIDER 1034
#define IDC_DIVISOR_SLIDER 1035
#define IDC_HSCALE_PLUS 1043
#define IDC_HSCALE_MINUS 1044
#define IDC_VSCALE_PLUS 1045
#define IDC_VSCALE_MINUS 1046
#define IDC_MINSTEP_PLUS 1047
#define IDC_MINSTEP_MINUS 1048
#define IDC_MAXSTEP_PLUS 1049
#define IDC_MAXSTEP_MINUS 1050
#define IDC_INTERVAL_PLUS 1051
#define IDC_INTERVAL_MINUS 1052
#define IDC_DIVISOR_PLUS 1053
#define IDC_DIVISOR_MINUS 1054

#define IDC_CANDIDATES 1036
#define IDC_FIXED 1037
#define IDC_FIX 1038
#define IDC_RELEASE 1039
#define IDC_SHIFT 1040
#define IDC_CTRL 1041
#define IDC_MOVE_MAXIMIZED 1056
#define IDC_KEEP_MAXIMIZED 1057
#define IDC_SCROLL_ON 1058
#define IDC_SCROLL_OFF 1059
#define IDC_APPLY 1017
#define IDC_SAVE 1018
#define IDC_CANCEL 1019
#define IDC_OPTIONS 1060

// Options dialog. Edges group 1101..1119; later groups take their own ranges
// (keys 1120..1139, general 1140..1159). OK and cancel are IDOK and IDCANCEL.
#define IDC_DWELL_EDIT 1101
#define IDC_DWELL_SPIN 1102
#define IDC_CORNER_EDIT 1103
#define IDC_CORNER_SPIN 1104
#define IDC_PAUSE_EDIT 1105
#define IDC_PAUSE_SPIN 1106
#define IDC_EDGE_LEFT 1107
#define IDC_EDGE_RIGHT 1108
#define IDC_EDGE_TOP 1109
#define IDC_EDGE_BOTTOM 1110
#define IDC_CARRY 1111
#define IDC_PAUSE_FULLSCREEN 1112
// Keys group: an edit and a mark per view action, in the actions' order.
#define IDC_KEY_EDIT_FIRST 1120
#define IDC_KEY_MARK_FIRST 1130
#define IDC_WHEEL_SCROLLS 1180
// General group: the language (one of three radio buttons) and start with
// Windows.
#define IDC_LANGUAGE_AUTO 1140
#define IDC_LANGUAGE_JA 1141
#define IDC_LANGUAGE_EN 1142
#define IDC_START_WITH_WINDOWS 1143
// A window out of view comes to the front ([Focus] FollowFocus): one of three
// radio buttons, in the order of the option's values.
#define IDC_FOCUS_VIEW 1220
#define IDC_FOCUS_WINDOW 1221
#define IDC_FOCUS_OFF 1222
// The tabs, and the window rules of the Windows tab.
#define IDC_OPTION_TABS 1240
#define IDC_RULES 1241
#define IDC_RULE_ADD 1242
#define IDC_RULE_EDIT 1243
#define IDC_RULE_REMOVE 1244
#define IDC_RULE_UP 1245
#define IDC_RULE_DOWN 1246
// The rule editor: the three patterns, the action, the windows open now and
// why a pattern was refused.
#define IDC_RULE_PROGRAM 1250
#define IDC_RULE_CLASS 1251
#define IDC_RULE_TITLE 1252
#define IDC_RULE_STAY 1253
#define IDC_RULE_IGNORE 1254
#define IDC_RULE_PICK 1255
#define IDC_RULE_ERROR 1256
