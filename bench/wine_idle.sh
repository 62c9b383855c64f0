#!/usr/bin/env bash
# The program's CPU use while idle under Wine, with 10 sample windows open
# and the pointer away from the edges: utime + stime of its Wine process (and
# of this prefix's wineserver, which answers every window call) over 10 s.
#   bash bench/wine_idle.sh <win64 build dir> <work dir>
source "$(dirname "$0")/../e2e/lib.sh"
source "$(dirname "$0")/cpu_lib.sh"
e2e_begin

seconds=10
hz=$(getconf CLK_TCK)

start_sample --many 10 60 40 320 220 || exit 1
drv cursor 512 384
rm -f "$E2E_CWD/Wideroom.cfg" "$E2E_CWD/Wideroom.prv"
start_wideroom_ready idle || exit 1
sleep 2
server=$(our_wineserver)

a0=$(cpu_ticks "$WR_PID")
s0=$([ -n "$server" ] && cpu_ticks "$server")
sleep "$seconds"
a1=$(cpu_ticks "$WR_PID")
s1=$([ -n "$server" ] && cpu_ticks "$server")

percent() {
    awk -v d="$1" -v hz="$hz" -v s="$seconds" 'BEGIN { printf "%.1f", 100 * d / (hz * s) }'
}
echo "wine_idle wideroom.exe: $(percent $((a1 - a0)))% of one core over ${seconds} s with 10 sample windows"
if [ -n "$server" ]; then
    echo "wine_idle wineserver:   $(percent $((s1 - s0)))% of one core over the same ${seconds} s"
fi

post_exit_command
wait_wideroom_exit 30
