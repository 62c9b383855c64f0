#!/usr/bin/env bash
# The program's Japanese texts under an English system (ANSI code page 1252):
# dialog, list lines, message boxes, about box and menu read back as UTF-16
# equal the program's own texts. A window title is shown through that code
# page, here one it can hold.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/set_lib.sh"
{ export LC_ALL=en_US.UTF-8; } 2>/dev/null
set_begin
locale_checks en 1252 "Café Ü" 'Caf\u00e9 \u00dc'
