#!/bin/sh
# volantra-cli.exe under wine and the Linux volantra-cli, on the same profile files and the
# simulated mouse: `images --profile F` must print the same bytes, and `apply --profile F
# --trace` must trace the same sequence of device operations.
# Usage: cli_agreement_test.sh WINE WINDOWS_CLI LINUX_CLI DEFAULT_DATA_DIR
set -eu
wine=$1 windows_cli=$2 linux_cli=$3 data=$4
if [ ! -x "$linux_cli" ]; then
    echo "cli_agreement: no Linux volantra-cli at $linux_cli (build the default preset first)"
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
exec 3>&1 # the log, also while a command's output goes to a file
# Once in a while wine ends a start at once, with an error status and without a word: the
# program never ran (volantra-cli explains every failure it has). Such a start is tried
# once more, and the log says so.
run_windows_cli() {
    for attempt in 1 2; do
        status=0
        "$wine" "$windows_cli" "$@" >"$work/run.out" 2>"$work/run.err" || status=$?
        if [ "$status" -eq 0 ] || [ -s "$work/run.out" ] || [ -s "$work/run.err" ] ||
            [ "$attempt" -eq 2 ]; then
            break
        fi
        echo "cli_agreement: wine ended the start of volantra-cli.exe at once (exit $status, no output); starting it again" >&3
    done
    cat "$work/run.out"
    cat "$work/run.err" >&2
    return "$status"
}
# Beside the defaults, a profile whose settings are all different: the default's flag
# byte, then 1756 bytes of a fixed pseudo-random sequence.
head -c 1 "$data/config.bin" >"$work/mixed.bin"
awk 'BEGIN { x = 12345; for (i = 0; i < 1756; i++) { x = (x * 1103515245 + 12345) % 2147483648;
             printf "%c", int(x / 65536) % 256 } }' LC_ALL=C >>"$work/mixed.bin"
for profile in "$data"/config*.bin "$work/mixed.bin"; do
    name=$(basename "$profile")
    linux_status=0 windows_status=0
    "$linux_cli" --simulate images --profile "$profile" >"$work/linux-$name.out" || linux_status=$?
    run_windows_cli --simulate images --profile "$profile" >"$work/windows-$name.out" ||
        windows_status=$?
    if [ "$linux_status" -ne "$windows_status" ]; then
        echo "cli_agreement: images --profile $name: exit $linux_status on Linux, $windows_status on Windows"
        failed=1
    fi
    if ! cmp -s "$work/linux-$name.out" "$work/windows-$name.out"; then
        echo "cli_agreement: images --profile $name differ:"
        diff "$work/linux-$name.out" "$work/windows-$name.out" | head -20
        failed=1
    fi
    [ -s "$work/linux-$name.out" ] || { echo "cli_agreement: no images for $name"; failed=1; }
    # A profile the mouse would refuse is refused before any trace line, the same way.
    : >"$work/linux-$name.trace"
    : >"$work/windows-$name.trace"
    "$linux_cli" --simulate --trace "$work/linux-$name.trace" apply --profile "$profile" \
        >/dev/null 2>"$work/linux-$name.err" || true
    run_windows_cli --simulate --trace "$work/windows-$name.trace" apply --profile "$profile" \
        >/dev/null 2>"$work/windows-$name.err" || true
    if ! cmp -s "$work/linux-$name.err" "$work/windows-$name.err"; then
        echo "cli_agreement: apply --profile $name says different things:"
        diff "$work/linux-$name.err" "$work/windows-$name.err" | head -20
        failed=1
    fi
    if ! cmp -s "$work/linux-$name.trace" "$work/windows-$name.trace"; then
        echo "cli_agreement: apply --trace of $name differs:"
        diff "$work/linux-$name.trace" "$work/windows-$name.trace" | head -20
        failed=1
    fi
    echo "cli_agreement: $name: $(wc -l <"$work/linux-$name.out") image lines, $(wc -l <"$work/linux-$name.trace") trace lines agree"
done
# A wrong size is refused the same way, before the mouse is touched.
head -c 100 "$data/config.bin" >"$work/short.bin"
status=0; run_windows_cli --simulate images --profile "$work/short.bin" 2>/dev/null || status=$?
[ "$status" -eq 2 ] || { echo "cli_agreement: a 100-byte profile gave exit $status, not 2"; failed=1; }
exit $failed
