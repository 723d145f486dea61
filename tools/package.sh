#!/bin/sh
# `make package`: the setup program and the portable zip of a release, from
# the Windows build:
#   OUT_DIR/ambrel-<version>-setup.exe
#   OUT_DIR/ambrel-<version>-portable.zip   (the install root's files: unpacked
#                                            into C:\ they serve as they are)
#
#   package.sh WIN_BUILD_DIR OUT_DIR [VERSION STAGE_DIR]
#
# The version is the CMake project version of the build. VERSION and
# STAGE_DIR, given together, package an already staged root under another
# version number instead (an older release, for the upgrade tests).
set -eu
src=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)

if [ $# -ge 4 ]; then
  version=$3
  stage=$(cd "$4" && pwd)
else
  version=$(sed -n 's/^#define AMBREL_VERSION_TEXT "\(.*\)"$/\1/p' "$build/generated/ambrel_version.h")
  [ -n "$version" ] || { echo "package.sh: no version in $build/generated/ambrel_version.h" >&2; exit 1; }
  stage="$out/stage"
  rm -rf "$stage"
  "$src/tools/stage-root.sh" "$build" "$stage" >/dev/null
  for exe in ambrel.exe arch.exe glowcard.exe splash.exe; do
    [ -f "$stage/corvane/res/utilities/ambrel/$exe" ] || { echo "package.sh: $exe is not built" >&2; exit 1; }
  done
  cp "$src/installer/license.txt" "$stage/corvane/res/utilities/ambrel/"
fi
program="corvane/res/utilities/ambrel"

# The setup's lists of what it installs and removes: every staged file, so
# that the uninstaller removes exactly what the setup put there.
lists="$out/nsis-$version"
rm -rf "$lists"
mkdir -p "$lists"
nsis_path() { printf '%s' "$1" | sed 's/\$/$$/g; s|/|\\|g'; }
(cd "$stage/$program" && find . -type d | LC_ALL=C sort) | while read -r dir; do
  rel=${dir#.}
  printf 'SetOutPath "$ProgramFolder%s"\n' "$(nsis_path "$rel")"
  (cd "$stage/$program/$dir" && find . -maxdepth 1 -type f | LC_ALL=C sort) | while read -r f; do
    printf 'File "%s"\n' "$stage/$program/$rel/${f#./}"
  done
done > "$lists/install_files.nsh"
{
  (cd "$stage/$program" && find . -type f | LC_ALL=C sort) | while read -r f; do
    printf '!insertmacro RemoveFile "$ProgramFolder\\%s"\n' "$(nsis_path "${f#./}")"
  done
  # Deepest folders first; the program folder itself is left to the script.
  (cd "$stage/$program" && find . -mindepth 1 -type d | LC_ALL=C sort -r) | while read -r dir; do
    printf 'RMDir "$ProgramFolder\\%s"\n' "$(nsis_path "${dir#./}")"
  done
} > "$lists/uninstall_files.nsh"

setup="$out/ambrel-$version-setup.exe"
makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DLISTS="$lists" -DOUTFILE="$setup" \
  "$src/installer/ambrel.nsi"

zip="$out/ambrel-$version-portable.zip"
rm -f "$zip"
(cd "$stage" && zip -q -r -X "$zip" corvane)

echo "$setup"
echo "$zip"
