#!/bin/sh
# `make run`: stages an install root on drive C: of the build's Wine prefix
# (the default root c:\ then serves) and starts Ambrel. With a DISPLAY the
# program shows there; without one it runs on the build's own Xvfb display,
# a screenshot of the sheet is saved, and its path printed.
#   run.sh WIN_BUILD_DIR [ambrel arguments...]
set -eu
build=$(cd "$1" && pwd)
shift
src=$(cd "$(dirname "$0")/.." && pwd)
run="$src/tools/wine-run --prefix $build/wineprefix"

headless=1
if [ -n "${DISPLAY:-}" ]; then
  headless=0
  export AMBREL_DISPLAY="$DISPLAY"
fi

$run cmd /c exit 0 >/dev/null  # makes the prefix on first use
"$src/tools/stage-root.sh" "$build" "$build/wineprefix/drive_c"

# The tests leave their own install root and browser in the prefix: put back
# the defaults, and open pages with the host's browser through Wine's.
$run reg delete 'HKLM\Software\Corvane' /f >/dev/null 2>&1 || true
for ext in .html .htm; do
  $run reg add "HKCR\\$ext" /ve /d htmlfile /f >/dev/null
done
$run reg add 'HKCR\htmlfile\shell\open\command' /ve /d 'C:\windows\system32\winebrowser.exe "%1"' /f >/dev/null

exe='C:\corvane\res\utilities\ambrel\ambrel.exe'
if [ $headless -eq 0 ]; then
  exec $run "$exe" "$@"
fi

$run "$exe" "$@" &
pid=$!
eval "$($run --env)"
shot="$build/ambrel-screenshot.png"
# The splash shows for three seconds after a half-second pause; the sheet is
# what we want to see.
sleep 6
import -display "$DISPLAY" -window root "$shot"
# Nobody can close a window on a screen nobody sees: end the prefix's programs.
WINEPREFIX="$build/wineprefix" wineserver -k 2>/dev/null || true
wait "$pid" 2>/dev/null || true
echo "Screenshot of Ambrel: $shot"
