#!/bin/sh
# Runs one Windows test program under wine and passes on its output and exit status.
# Once in a while wine ends a start at once, with an error status and without a word: the
# program never ran (GoogleTest's main prints a first line before anything else). Such a
# start is tried once more, and the log says so; a program that ran counts as it ended.
# Usage: run_under_wine.sh WINE PROGRAM [ARGUMENTS...]
set -u
output=$(mktemp) || exit 1
trap 'rm -f "$output"' EXIT
for attempt in 1 2; do
    status=0
    "$@" >"$output" 2>&1 || status=$?
    if [ "$status" -eq 0 ] || [ -s "$output" ] || [ "$attempt" -eq 2 ]; then
        break
    fi
    echo "run_under_wine: wine ended the start of $2 at once (exit $status, no output); starting it again"
done
cat "$output"
exit "$status"
