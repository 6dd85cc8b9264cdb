#!/usr/bin/env bash
# Runs every suite that has been built and prints one summary line,
# "N passed, N failed", summed over all of them. Exits non-zero when any
# test failed. Expects the builds to be done (make test does that first).
#
#   scripts/test.sh [layers|unit|exe|win32|e2e|release]...   (default: all of them)
# Extra arguments for the GoogleTest programs go in NIMBUL_GTEST_ARGS, for
# example NIMBUL_GTEST_ARGS=--gtest_filter='ProgramEntry.*' (make check does
# that: make check SUITE=e2e FILTER='ProgramEntry.*').
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

passed=0
failed=0
logs=${NIMBUL_LOG_DIR:-$repo/build/test-logs}
mkdir -p "$logs"
# Brief: only failures and the summary; the whole log is in build/test-logs.
gtest_args=(--gtest_color=no --gtest_brief=1 ${NIMBUL_GTEST_ARGS:-})

# Adds the counts of one GoogleTest log: failed = ran - passed - skipped,
# which holds in brief mode too (it lists no failures). A program that died
# before its summary counts as one failure, whatever it printed before.
count_gtest() {
  local log=$1 rc=$2 ran p s f
  ran=$(sed -n 's/^\[==========\] \([0-9]*\) tests\{0,1\} from .* ran\..*/\1/p' "$log" | tail -n1)
  p=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\{0,1\}\..*/\1/p' "$log" | tail -n1)
  s=$(sed -n 's/^\[  SKIPPED \] \([0-9]*\) tests\{0,1\}[.,].*/\1/p' "$log" | tail -n1)
  if [ -z "$ran" ]; then
    echo "  no test summary (exit code $rc): counted as one failure"
    failed=$((failed + 1))
    return
  fi
  f=$((ran - ${p:-0} - ${s:-0}))
  passed=$((passed + ${p:-0}))
  failed=$((failed + f))
  if [ "$f" -eq 0 ] && [ "$rc" -ne 0 ]; then
    echo "  exit code $rc after the tests: counted as one failure"
    failed=$((failed + 1))
  fi
}

run_unit() {
  local exe=$native_dir/nimbul_unit_tests
  echo "== native unit tests"
  if [ ! -x "$exe" ]; then echo "  skipped: $exe not built"; return; fi
  "$exe" "${gtest_args[@]}" 2>&1 | tee "$logs/unit.log"
  count_gtest "$logs/unit.log" "${PIPESTATUS[0]}"
}

# A check script's "  ok" and "  FAILED" lines count as passed and failed tests.
run_script_check() {
  local title=$1 out
  shift
  echo "== $title"
  out=$("$@")
  echo "$out"
  passed=$((passed + $(grep -c '^  ok ' <<<"$out")))
  failed=$((failed + $(grep -c '^  FAILED ' <<<"$out")))
}

run_exe_check() {
  local exe=$win32_dir/Nimbul.exe
  if [ ! -f "$exe" ]; then echo "== Nimbul.exe file checks"; echo "  skipped: $exe not built"; return; fi
  run_script_check "Nimbul.exe file checks" "$repo/scripts/check-exe.sh" "$exe"
}

# Runs one cross-built GoogleTest program under Wine on its own Xvfb display
# inside a virtual desktop, and ends every Wine process afterwards.
run_wine_suite() {
  local name=$1 exe=$2 limit=$3
  echo "== $name (Wine)"
  if [ ! -f "$exe" ]; then echo "  skipped: $exe not built"; return; fi
  start_xvfb || { failed=$((failed + 1)); return; }
  echo "  display $DISPLAY, prefix $WINEPREFIX"
  stop_wine
  use_virtual_desktop
  # Into a file, not a pipe: a Wine process that outlives the tests (the
  # virtual desktop, a program a test left running) would hold a pipe open and
  # the run would wait for it for ever.
  (cd "$(dirname "$exe")" && timeout -k 10 "$limit" "${wine_wrap[@]}" wine "$exe" "${gtest_args[@]}") >"$logs/$name.raw" 2>&1
  local rc=$?
  tr -d '\r' <"$logs/$name.raw" >"$logs/$name.log"
  rm -f "$logs/$name.raw"
  cat "$logs/$name.log"
  [ "$rc" -eq 124 ] && echo "  timed out after $limit s"
  stop_wine
  stop_xvfb
  count_gtest "$logs/$name.log" "$rc"
}

convert_screenshots() {
  local dir=${NIMBUL_SCREENSHOT_DIR:-$repo/build/e2e-screenshots} bmp
  [ -d "$dir" ] || return 0
  for bmp in "$dir"/*.bmp; do
    [ -e "$bmp" ] || continue
    if convert "$bmp" "${bmp%.bmp}.png" 2>/dev/null; then
      rm -f "$bmp"
      echo "  screenshot of a failure: ${bmp%.bmp}.png"
    else
      echo "  screenshot of a failure: $bmp"
    fi
  done
}

run_e2e() {
  local dir=${NIMBUL_SCREENSHOT_DIR:-$repo/build/e2e-screenshots}
  rm -rf "$dir"
  mkdir -p "$dir"
  local exe=${NIMBUL_EXE:-$win32_dir/Nimbul.exe}
  if [ ! -f "$exe" ] && [ -f "$win32_dir/nimbul_e2e_tests.exe" ]; then
    echo "== e2e (Wine)"
    echo "  skipped: $exe not built"
    return
  fi
  # The driver sees Windows paths only.
  export NIMBUL_EXE NIMBUL_SCREENSHOTS
  NIMBUL_EXE=$(winepath -w "$exe" 2>/dev/null)
  NIMBUL_SCREENSHOTS=$(winepath -w "$dir" 2>/dev/null)
  # The update tests reach the program's own update host on 127.0.0.1.
  local host
  host=$(sed -n 's/^NIMBUL_UPDATE_HOST:STRING=//p' "$win32_dir/CMakeCache.txt" 2>/dev/null)
  [ -n "$host" ] && wine_wrap=("$repo/scripts/with-update-host.sh" "$host")
  run_wine_suite e2e "$win32_dir/nimbul_e2e_tests.exe" 600
  wine_wrap=()
  convert_screenshots
}

# The downloads made from the built Nimbul.exe: their file checks, then the
# installer and uninstaller under Wine.
run_release() {
  local exe=$win32_dir/Nimbul.exe dist=$win32_dir/dist out
  echo "== release downloads"
  if [ ! -f "$exe" ]; then echo "  skipped: $exe not built"; return; fi
  if ! out=$("$repo/scripts/release.sh" "$exe" "$dist" 2>&1); then
    echo "$out" | sed 's/^/  /'
    echo "  FAILED release packaging"
    failed=$((failed + 1))
    return
  fi
  out=$("$repo/scripts/check-dist.sh" "$dist")
  echo "$out"
  passed=$((passed + $(grep -c '^  ok ' <<<"$out")))
  failed=$((failed + $(grep -c '^  FAILED ' <<<"$out")))
  export NIMBUL_SETUP NIMBUL_SCREENSHOTS
  NIMBUL_SETUP=$(winepath -w "$(ls "$dist"/Nimbulon-*-setup.exe)" 2>/dev/null)
  NIMBUL_SCREENSHOTS=$(winepath -w "${NIMBUL_SCREENSHOT_DIR:-$repo/build/e2e-screenshots}" 2>/dev/null)
  run_wine_suite release "$win32_dir/nimbul_release_tests.exe" 300
  convert_screenshots
}

# A command that runs the Wine suite's program (see run_e2e).
wine_wrap=()

trap 'stop_xvfb; stop_wine' EXIT

suites=("$@")
[ ${#suites[@]} -eq 0 ] && suites=(layers format unit exe win32 e2e release)
for s in "${suites[@]}"; do
  case $s in
    layers) run_script_check "layers of src/" "$repo/scripts/check-layers.sh" ;;
    format) run_script_check "formatting of the C++ files" "$repo/scripts/check-format.sh" ;;
    unit) run_unit ;;
    exe) run_exe_check ;;
    win32) run_wine_suite win32 "$win32_dir/nimbul_win32_tests.exe" 600 ;;
    e2e) run_e2e ;;
    release) run_release ;;
    *) echo "unknown suite: $s (layers, format, unit, exe, win32, e2e, release)" >&2; exit 2 ;;
  esac
done

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
