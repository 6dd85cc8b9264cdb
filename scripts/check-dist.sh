#!/usr/bin/env bash
# Checks the downloads that scripts/release.sh wrote into a folder: the
# checksums verify as a user checks them, and the portable zip holds the
# released program with its folder and texts. Prints "  ok <check>" or
# "  FAILED <check>: <why>" per check; exits non-zero on any failure.
set -uo pipefail
dist=${1:?usage: check-dist.sh DIST}
bad=0
check() {
  local name=$1 why=$2
  shift 2
  if "$@" >/dev/null 2>&1; then echo "  ok $name"; else echo "  FAILED $name: $why"; bad=1; fi
}

check "SHA256SUMS verifies with sha256sum -c" "$(cd "$dist" && sha256sum -c SHA256SUMS 2>&1 | grep -v ': OK$' | tr '\n' ' ')" \
  sh -c "cd '$dist' && sha256sum -c --strict SHA256SUMS"
check "SHA256SUMS covers the exe, the zip and the installer" "$(cut -c67- "$dist/SHA256SUMS" | tr '\n' ' ')" \
  sh -c "cd '$dist' && [ \"\$(cut -c67- SHA256SUMS | sed 's/-[0-9.]*-/-V-/' | tr '\n' ' ')\" = 'Nimbul.exe Nimbulon-V-portable.zip Nimbulon-V-setup.exe ' ]"
zip=$(ls "$dist"/Nimbulon-*-portable.zip 2>/dev/null | head -n1)
check "portable zip holds Nimbul.exe, Icons\\, License.txt, Readme.txt" "it holds $(unzip -Z1 "$zip" 2>&1 | tr '\n' ' ')" \
  sh -c "[ \"\$(unzip -Z1 '$zip' | sort | tr '\n' ' ')\" = 'Icons/ License.txt Nimbul.exe Readme.txt ' ]"
check "the zip's Nimbul.exe is the released one" "the two differ" \
  sh -c "unzip -p '$zip' Nimbul.exe | cmp -s - '$dist/Nimbul.exe'"
exit $bad
