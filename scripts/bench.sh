#!/usr/bin/env bash
# Runs every benchmark program under Wine on a private display and prints
# their figure lines. Benchmarks never fail the build: a program that
# fails is reported and the next one runs.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

trap 'stop_wine; stop_xvfb' EXIT
shopt -s nullglob
programs=("$win32_dir"/bench_*.exe)
if [ ${#programs[@]} -eq 0 ]; then
  echo "no benchmark programs in $win32_dir"
  exit 0
fi
start_xvfb || exit 1
stop_wine
use_virtual_desktop
for exe in "${programs[@]}"; do
  (cd "$win32_dir" && timeout -k 10 600 wine "$exe") 2>&1 | tr -d '\r'
  rc=${PIPESTATUS[0]}
  [ "$rc" -eq 0 ] || echo "$(basename "$exe"): failed (exit code $rc)"
done
