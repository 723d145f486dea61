#!/bin/sh
# Runs the full-disk test with its data folder on a drive of 3 MB: a tmpfs
# mounted here and mapped as drive F: of the build's Wine prefix. Without the
# right to mount (not root), the test is skipped (exit 77).
#   full_disk_test.sh WIN_BUILD_DIR
set -u
build=$1
mnt=$(mktemp -d)
if ! mount -t tmpfs -o size=3m tmpfs "$mnt" 2>/dev/null; then
  rmdir "$mnt"
  echo "full_disk_test: cannot mount a small drive here; skipped"
  exit 77
fi
link="$build/wineprefix/dosdevices/f:"
cleanup() {
  rm -f "$link"
  umount "$mnt"
  rmdir "$mnt"
}
trap cleanup EXIT
ln -sfn "$mnt" "$link"
AMBREL_FULL_DRIVE=F: "$build/wine-run" "$build/tests/generate/generate_full_disk_test.exe"
