#!/usr/bin/env bash
# Lints every shell script of the repository with shellcheck at warning level:
# the *.sh files and the files that start with a shell's #! line. The
# repository's .shellcheckrc lets it follow what the scripts source.
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root" || exit 1
command -v shellcheck >/dev/null || {
    echo "shellcheck is missing: run scripts/install-deps.sh as root" >&2
    exit 1
}
scripts=()
while IFS= read -r -d '' f; do
    case $f in
        *.sh) scripts+=("$f") ;;
        *) head -n 1 "$f" 2>/dev/null | grep -qE '^#!.*[/ ](ba|da)?sh( |$)' && scripts+=("$f") ;;
    esac
done < <(find . \( -name .git -o -path ./build -o -path './build-*' \) -prune -o -type f -print0 | sort -z)
[ ${#scripts[@]} -gt 0 ] || {
    echo "no shell scripts found under $root" >&2
    exit 1
}
echo "shellcheck -S warning over ${#scripts[@]} scripts"
shellcheck -S warning "${scripts[@]}"
