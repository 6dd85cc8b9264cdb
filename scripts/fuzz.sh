#!/usr/bin/env bash
# `make fuzz`: each parser under libFuzzer (Debian's clang) with
# AddressSanitizer and UndefinedBehaviorSanitizer, natively, for a million
# inputs, seeded from tests/fuzz/corpus and the program's own pictures.
# NIMBUL_FUZZ_RUNS changes the count, NIMBUL_FUZZ_TARGETS the parsers.
# New inputs go to build/fuzz/corpus, findings to build/fuzz/findings; a
# finding fails the run. Copy an input worth keeping into tests/fuzz/corpus,
# where the unit suite replays it.
set -uo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
fuzz_dir=${NIMBUL_FUZZ_DIR:-$repo/build/fuzz}
runs=${NIMBUL_FUZZ_RUNS:-1000000}
targets=${NIMBUL_FUZZ_TARGETS:-ico jpeg version settings color shortcut command_line journal}

if [ ! -f "$fuzz_dir/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S "$repo" -B "$fuzz_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DNIMBUL_FUZZ=ON >/dev/null || exit 1
fi
cmake --build "$fuzz_dir" --target nimbul_fuzz -j2 || exit 1

# A slow input is a finding too: nothing the program reads may take seconds.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
failed=0
summary=()
for t in $targets; do
  work=$fuzz_dir/corpus/$t
  mkdir -p "$work" "$fuzz_dir/findings"
  cp "$repo/tests/fuzz/corpus/$t/"* "$work/"
  case $t in
    ico) cp "$repo/res/nimbul.ico" "$repo/res/tray/"*.ico "$work/" ;;
    jpeg) cp "$repo/res/"*.jpg "$work/" ;;
  esac
  # A shortcut text is a few modifiers and a key name of at most 255 bytes;
  # the others take libFuzzer's length, from their largest seed.
  limits=()
  [ "$t" = shortcut ] && limits=(-max_len=300)
  log=$fuzz_dir/$t.log
  start=$(date +%s)
  NIMBUL_FUZZ_TARGET=$t "$fuzz_dir/nimbul_fuzz" -runs="$runs" "${limits[@]}" -timeout=5 -rss_limit_mb=2048 \
    -artifact_prefix="$fuzz_dir/findings/$t-" -print_final_stats=1 "$work" >"$log" 2>&1
  rc=$?
  seconds=$(($(date +%s) - start))
  done_line=$(grep -o 'Done [0-9]* runs' "$log" | tail -1)
  inputs=${done_line//[^0-9]/}
  if [ $rc -ne 0 ]; then
    failed=1
    summary+=("$(printf '%-13s FAILED after %s s (exit %d): see %s' "$t" "$seconds" "$rc" "$log")")
  else
    summary+=("$(printf '%-13s %9s inputs in %5s s, corpus %s' "$t" "${inputs:-?}" "$seconds" "$(ls "$work" | wc -l)")")
  fi
done
printf '%s\n' "${summary[@]}"
exit $failed
