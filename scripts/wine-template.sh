#!/usr/bin/env bash
# Builds the Wine prefix template that the end-to-end tests copy, unless it is
# current. The test suite runs it first, so that the minutes a new template
# costs count against no single test's time limit.
source "$(dirname "$0")/wine-env.sh"
work=$(mktemp -d)
finish() {
    we_cleanup
    rm -rf "$work"
}
trap finish EXIT
we_start_xvfb || exit 1
we_prefix "$work" || exit 1
echo "Wine prefix template ready: $WE_TEMPLATE"
