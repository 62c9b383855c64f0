#!/usr/bin/env bash
# The program under a Japanese system (ANSI code page 932): it speaks
# Japanese; dialog, list lines with a Japanese window title, message boxes,
# about box and menu read back as UTF-16 equal the program's own texts.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/set_lib.sh"
# Wine takes the code page from the locale variables even where the C
# library lacks that locale; the shell's complaint about it is kept quiet.
{ export LC_ALL=ja_JP.UTF-8; } 2>/dev/null
set_begin
locale_checks ja ja 932 "サンプル ウインドウ" '\u30b5\u30f3\u30d7\u30eb \u30a6\u30a4\u30f3\u30c9\u30a6'
