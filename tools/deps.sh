#!/bin/sh
# Installs the Debian packages the builds and tests need, only those missing.
#   deps.sh [bench]
# Run as root on Debian 12; a machine that has them all is left untouched.
set -eu

PACKAGES="cmake make g++ clang libclang-rt-14-dev googletest zlib1g-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  libz-mingw-w64-dev wine wine64 fonts-wine xvfb xauth x11-utils imagemagick
  cabextract gcab chromium time clang-format python3 nsis zip unzip locales fonts-ipafont-gothic"
# `deps.sh bench`: also what the benchmarks' corpora are made from (a
# language's HTML manual, man pages rendered to PDF) and the xz reference.
if [ "${1:-}" = bench ]; then
  PACKAGES="$PACKAGES python3.11-doc groff xz-utils"
fi

missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done

# Node.js may come from another source that bundles npm; ask for the
# commands, not for Debian's package names.
command -v node >/dev/null 2>&1 || missing="$missing nodejs"
command -v npm >/dev/null 2>&1 || missing="$missing npm"

if [ -n "$missing" ]; then
  echo "Installing:$missing"
  if [ "$(id -u)" -ne 0 ]; then
    echo "tools/deps.sh: these packages are missing and installing them needs root:$missing" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  # shellcheck disable=SC2086
  apt-get install -y -q --no-install-recommends $missing
fi
