#!/usr/bin/env bash
# Starts Nimbul.exe under Wine in a virtual desktop, together with a few demo
# windows to hide. On the user's display when DISPLAY is set; otherwise on a
# private Xvfb display, with a screenshot written after a few seconds.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

exe=$win32_dir/Nimbul.exe
targets=$win32_dir/targets.exe
shot=$repo/build/run-screenshot.png
[ -f "$exe" ] || { echo "run: $exe is not built (make run builds it)" >&2; exit 1; }

private=no
if [ -z "${DISPLAY:-}" ]; then
  private=yes
  start_xvfb || exit 1
  echo "run: DISPLAY is not set, so Nimbulon runs on the private Xvfb display $DISPLAY"
fi

cleanup() {
  stop_wine
  stop_xvfb
}
trap cleanup EXIT
trap 'exit 130' INT TERM

use_virtual_desktop
cd "$win32_dir"
if [ -f "$targets" ]; then
  wine "$targets" "Notes - demo window" "Picture Viewer - demo window" "Terminal - demo window" >/dev/null 2>&1 &
fi
wine "$exe" >/dev/null 2>&1 &
nimbul=$!

if [ $private = yes ]; then
  sleep 5
  if import -window root "$shot" 2>/dev/null; then
    echo "run: screenshot of the desktop after 5 s: $shot"
  else
    echo "run: the screenshot could not be taken"
  fi
  if [ -t 0 ]; then
    echo "run: press Enter to end Nimbulon"
    read -r _ || true
  fi
else
  echo "run: Nimbulon runs on $DISPLAY; close its window to end the run"
  wait $nimbul
fi
