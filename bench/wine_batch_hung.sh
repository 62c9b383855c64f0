#!/usr/bin/env bash
# Whether one DeferWindowPos batch keeps the promise that a program that does
# not answer never stalls the tick: a batch that puts three windows in place,
# one of them of a program whose thread sleeps, every entry with
# SWP_ASYNCWINDOWPOS, then without it, then for comparison the single
# asynchronous SetWindowPos the engine uses; each once while the sleeper has
# only just stopped pumping and once after the window manager calls it not
# responding.
#   bash bench/wine_batch_hung.sh <win64 build dir> <work dir>
source "$(dirname "$0")/../e2e/lib.sh"
source "$(dirname "$0")/../e2e/rel_lib.sh"
rel_begin

start_sample --window "awake 1" 40 40 300 200 --window "awake 2" 400 40 300 200 || exit 1
awake_pid=$SAMPLE_PID
read -r a1 a2 <<<"$SAMPLE_HANDLES"
start_sample --hang-after 1500 --window "sleeper" 200 300 300 200 || exit 1
sleeper_pid=$SAMPLE_PID
sleeper=${SAMPLE_HANDLES%% *}

# timed CASE ARGS...: one wrreltool call, at most `limit` seconds, timed
# from outside as well.
limit=20
timed() {
    local what=$1 t0 out
    shift
    t0=$(date +%s.%N)
    out=$(timeout "$limit" "$WE_WINE" "$REL_TOOL" "$@")
    [ -z "$out" ] && out="no answer: stopped after $limit s"
    printf 'wine_batch_hung %-45s %s (%.2f s from outside)\n' "$what:" "$out" "$(echo "$(date +%s.%N) - $t0" | bc)"
}

sleep 2
timed "just stopped, a batch, async entries" batch "$a1" "$sleeper" "$a2"
timed "just stopped, a batch of the awake ones" batch "$a1" "$a2"
timed "just stopped, one async move" probe "$sleeper"
"$WE_WINE" "$REL_TOOL" wait "$sleeper" hung --timeout 30000 || echo "wine_batch_hung: never reported hung" >&2
timed "not responding, a batch, async entries" batch "$a1" "$sleeper" "$a2"
timed "not responding, a batch, plain entries" batch --sync "$a1" "$sleeper" "$a2"
timed "not responding, one async move" probe "$sleeper"
we_stop "$sleeper_pid"
we_stop "$awake_pid"
