#!/usr/bin/env bash
# make bench: the benchmarks of the core (built in <build>/native from
# bench/*.cpp) and the ones under Wine (bench/wine_*.sh on <build>/win64).
# Not tests: they print figures and pass or fail only on whether they ran.
#   bash bench/run.sh <build root>
set -u
build=$(cd "${1:?build root}" && pwd) || exit 1
here=$(cd "$(dirname "$0")" && pwd)
status=0

for src in "$here"/*.cpp; do
    [ -e "$src" ] || continue
    name=$(basename "$src" .cpp)
    if [ -x "$build/native/$name" ]; then
        echo "== $name"
        "$build/native/$name" || status=1
    else
        echo "== $name: not built (is the benchmark library installed?)"
    fi
done

for script in "$here"/wine_*.sh; do
    [ -e "$script" ] || continue
    name=$(basename "$script" .sh)
    echo "== $name"
    bash "$script" "$build/win64" "$build/bench/$name" || status=1
done
exit "$status"
