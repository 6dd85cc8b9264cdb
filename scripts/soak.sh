#!/usr/bin/env bash
# `make soak`: the soak program under Wine on a private display, with the
# built Nimbul.exe. NIMBUL_SOAK_CYCLES sets the cycles (10,000 by default).
# Prints the table of resource figures; fails when the test fails.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

exe=$win32_dir/nimbul_soak_tests.exe
if [ ! -f "$exe" ]; then
  echo "soak: $exe not built"
  exit 1
fi
cycles=${NIMBUL_SOAK_CYCLES:-10000}
export NIMBUL_SOAK_CYCLES=$cycles NIMBUL_EXE NIMBUL_SCREENSHOTS
logs=${NIMBUL_LOG_DIR:-$repo/build/test-logs}
shots=${NIMBUL_SCREENSHOT_DIR:-$repo/build/e2e-screenshots}
mkdir -p "$logs" "$shots"
NIMBUL_EXE=$(winepath -w "$win32_dir/Nimbul.exe" 2>/dev/null)
NIMBUL_SCREENSHOTS=$(winepath -w "$shots" 2>/dev/null)

trap 'stop_wine; stop_xvfb' EXIT
start_xvfb || exit 1
stop_wine
use_virtual_desktop
echo "soak: $cycles cycles, display $DISPLAY, log $logs/soak.log"
start=$(date +%s)
# A cycle takes well under a second; the limit only ends a run that hangs.
(cd "$win32_dir" && timeout -k 10 $((cycles * 3 + 300)) wine "$exe") >"$logs/soak.raw" 2>&1
rc=$?
tr -d '\r' <"$logs/soak.raw" >"$logs/soak.log"
rm -f "$logs/soak.raw"
cat "$logs/soak.log"
echo "soak: $(($(date +%s) - start)) s, exit code $rc"
exit $rc
