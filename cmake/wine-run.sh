#!/bin/sh
# Runs a Windows program under Wine in the build folder's own prefix.
# The prefix is made on first use; a lock keeps parallel first uses apart.
set -e
# The build folder is the one above the bin/ folder of the first program
# named on the command line; failing that, the current folder.
build_dir=$(pwd)
for arg in "$@"; do
  case "$arg" in
    */bin/*) build_dir=$(cd "$(dirname "$arg")/.." && pwd); break ;;
  esac
done
export WINEPREFIX="${WINEPREFIX:-$build_dir/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# Chinese window texts need a Chinese locale when the prefix is made and used.
if locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
fi
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine)
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      WINEARCH=win64 "$wine" wineboot -i >/dev/null 2>&1 || true
      "$(dirname "$wine")/wineserver64" -w 2>/dev/null || wineserver -w 2>/dev/null || true
    fi
  ) 9>"$WINEPREFIX.lock"
fi
exec "$wine" "$@"
