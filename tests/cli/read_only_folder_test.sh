#!/bin/sh
# A data folder on a read-only file system: the commands that only look still work, and
# the others refuse, saying why. Needs root for the read-only bind mount; skipped without.
# usage: read_only_folder_test.sh VOLANTRA_CLI DEFAULT_DATA_DIR
set -u
cli=$1
defaults=$2
folder=$(mktemp -d)
cleanup() { umount "$folder" 2>/dev/null; rm -rf "$folder"; }
trap cleanup EXIT
cp -r "$defaults"/. "$folder"/
if ! mount --bind "$folder" "$folder" 2>/dev/null || ! mount -o remount,ro,bind "$folder" 2>/dev/null; then
    echo "cannot mount a read-only folder here; skipped"
    exit 77
fi
status=0
for command in profiles images macros; do
    if ! "$cli" --data-dir "$folder" $command >/dev/null; then
        echo "FAIL: $command on a read-only folder"
        status=1
    fi
done
refusal=$("$cli" --data-dir "$folder" set dpi 1 400 2>&1 >/dev/null)
case $? in
    1) ;;
    *) echo "FAIL: set on a read-only folder did not exit 1"; status=1 ;;
esac
case $refusal in
    *"$folder"*"Read-only file system"*) ;;
    *) echo "FAIL: the refusal does not name the folder and the reason: $refusal"; status=1 ;;
esac
exit $status
