#!/usr/bin/env bash
# The program under an English system (ANSI code page 1252): it speaks
# English; dialog, list lines, message boxes, about box and menu read back as
# UTF-16 equal the English resources. A window title is shown through that
# code page, here one it can hold.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/set_lib.sh"
{ export LC_ALL=en_US.UTF-8; } 2>/dev/null
set_begin
locale_checks en en 1252 "Café Ü" 'Caf\u00e9 \u00dc'
