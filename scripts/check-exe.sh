#!/usr/bin/env bash
# Checks the shipped file itself: a 32-bit PE for i386 with the GUI subsystem,
# at most 1 MB, that needs no DLL beside it, that is, one that imports only the
# Windows system DLLs every process loads (the compiler's runtime is linked in
# statically).
# Prints "  ok <check>" or "  FAILED <check>: <why>" per check; exits non-zero
# on any failure.
set -uo pipefail
exe=${1:?usage: check-exe.sh Nimbul.exe}
dump=$(i686-w64-mingw32-objdump -p "$exe" 2>&1) || { echo "  FAILED readable PE: $dump"; exit 1; }

# The libraries every process of the program has anyway (comctl32 through
# the manifest's side-by-side copy): any other is bound late, from the system
# folder by its full path, so a file of that name beside the program is never
# loaded in its place.
system_dlls='^(kernel32|user32|gdi32|advapi32|comctl32|msvcrt)\.dll$'

bad=0
check() {
  local name=$1 cond=$2 why=$3
  if [ "$cond" = yes ]; then echo "  ok $name"; else echo "  FAILED $name: $why"; bad=1; fi
}
has() { grep -Eq "$1" <<<"$dump" && echo yes || echo no; }

check "PE32 (32-bit)" "$(has 'Magic[[:space:]]+010b')" "$(grep -m1 Magic <<<"$dump")"
check "machine i386" "$(has 'file format pei-i386')" "$(grep -m1 'file format' <<<"$dump")"
check "GUI subsystem" "$(has 'Subsystem[[:space:]]+00000002')" "$(grep -m1 '^Subsystem' <<<"$dump")"

# At most 1 MB as Windows counts it (1024 x 1024 bytes).
max_size=1048576
size=$(stat -c %s "$exe")
check "at most 1 MB (${size} bytes)" "$([ "$size" -le $max_size ] && echo yes || echo no)" "over $max_size bytes"

imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$dump" | tr -d '\r')
foreign=$(tr 'A-Z' 'a-z' <<<"$imports" | grep -Ev "$system_dlls" | tr '\n' ' ')
imports_check="imports only kernel32, user32, gdi32, advapi32, comctl32, msvcrt"
if [ -z "$imports" ]; then
  check "$imports_check" no "no import table found"
else
  check "$imports_check" "$([ -z "$foreign" ] && echo yes || echo no)" "also imports $foreign"
fi
exit $bad
