#!/bin/sh
# The setup of a release under Wine, from what `make package` makes: silent,
# upgrade, per-user and interactive installs and uninstalls, driven by
# setup_probe.exe in a new prefix of its own on a screen of its own; then the
# installed program at 200% scaling. Screenshots go to
# WIN_BUILD_DIR/tests/installer/screenshots/.
#
#   installer_test.sh WIN_BUILD_DIR
set -eu
src=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd)
work="$build/tests/installer"
prefix="$work/wineprefix"
shots="$work/screenshots"
winpath() { printf 'Z:%s' "$1" | sed 's|/|\\|g'; }

# This release, as `make package` makes it.
"$src/tools/package.sh" "$build" "$work/package" >/dev/null
version=$(sed -n 's/^#define AMBREL_VERSION_TEXT "\(.*\)"$/\1/p' "$build/generated/ambrel_version.h")
# An earlier release: the same files with the programs changed (bytes past
# their image, which Windows ignores) and one file that only it had.
old_version=1.1.0
old_stage="$work/old-stage"
rm -rf "$old_stage"
cp -r "$work/package/stage" "$old_stage"
for exe in ambrel.exe arch.exe glowcard.exe splash.exe; do
  printf 'an earlier build' >> "$old_stage/corvane/res/utilities/ambrel/$exe"
done
echo "Notes of an earlier release" > "$old_stage/corvane/res/utilities/ambrel/notes.txt"
"$src/tools/package.sh" "$build" "$work/old-package" "$old_version" "$old_stage" >/dev/null

export AMBREL_SETUP="$(winpath "$work/package/ambrel-$version-setup.exe")"
export AMBREL_OLD_SETUP="$(winpath "$work/old-package/ambrel-$old_version-setup.exe")"
export AMBREL_STAGE="$(winpath "$work/package/stage")"
export AMBREL_OLD_STAGE="$(winpath "$old_stage")"
export AMBREL_VERSION="$version" AMBREL_OLD_VERSION="$old_version"

# A clean machine on a screen large enough for the sheet at 200%.
num=$(( $(printf '%s' "$prefix" | cksum | cut -d' ' -f1) % 400 + 600 ))
export AMBREL_DISPLAY=":$num"
rm -f "/tmp/.X$num-lock" "/tmp/.X11-unix/X$num"
Xvfb "$AMBREL_DISPLAY" -screen 0 1600x1200x24 -nolisten tcp -ac >/dev/null 2>&1 &
xvfb=$!
run="$src/tools/wine-run --prefix $prefix"
cleanup() { $run --shutdown >/dev/null 2>&1 || true; kill $xvfb 2>/dev/null || true; }
trap cleanup EXIT
[ -z "${WINEPREFIX:-}" ] || unset WINEPREFIX
if [ -d "$prefix" ]; then WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true; fi
rm -rf "$prefix" "$prefix.lock" "$shots"
mkdir -p "$shots"
i=0; while [ ! -S "/tmp/.X11-unix/X$num" ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
$run cmd /c exit 0 >/dev/null
$run reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1600x1200 /f >/dev/null
WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
posed="$prefix/drive_c/ambrel-tests/shots"

# Runs the probe's scenarios, photographing each window it poses.
probe() {
  (eval "$($run --env)"; export DISPLAY="$AMBREL_DISPLAY"
   exec timeout 600 wine "$build/tests/installer/setup_probe.exe" --gtest_filter="$1") > "$work/probe.log" 2>&1 &
  pid=$!
  while kill -0 $pid 2>/dev/null; do
    for ready in "$posed"/ready-*; do
      [ -f "$ready" ] || continue
      name=${ready##*/ready-}
      [ -f "$posed/done-$name" ] && continue
      import -display "$AMBREL_DISPLAY" -window root "$shots/$name.png"
      touch "$posed/done-$name"
    done
    sleep 0.2
  done
  rc=0; wait $pid || rc=$?
  cat "$work/probe.log"
  return $rc
}

failed=0
probe 'Setup.*' || failed=1

# 200% scaling: the prefix's screen at 192 pixels per inch.
$run reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 192 /f >/dev/null
$run reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' /v LogPixels /t REG_DWORD /d 192 /f >/dev/null
WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
probe 'HighDpi.*' || failed=1
ls "$shots"
exit $failed
