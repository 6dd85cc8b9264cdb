#!/usr/bin/env bash
# Builds the downloads into dist/:
#   Nimbul.exe
#   Nimbulon-<version>-portable.zip   the exe, an empty Icons\ folder, License.txt, Readme.txt
#   Nimbulon-<version>-setup.exe      the installer (installer/nimbulon.nsi)
#   SHA256SUMS                        over the three, for `sha256sum -c SHA256SUMS`
# The version and the publisher are read from the version resource of the
# built executable, so the number lives in res/nimbul.rc alone.
#
#   scripts/release.sh                 a clean build of Nimbul.exe in build/release, then dist/
#   scripts/release.sh EXE OUTDIR      packages an already built EXE into OUTDIR (the tests do)
#
# The clean build needs the maker's update key: NIMBUL_UPDATE_KEY_FILE names
# the secret key file of `nimbul-publish keygen` (the build carries its public
# half); the test bench's development key is refused. NIMBUL_UPDATE_HOST, when
# set, names the update server the build asks. With NIMBUL_SIGN_CERT and
# NIMBUL_SIGN_KEY (a certificate and its private key, PEM files) the exe and
# the setup are Authenticode-signed before the checksums are made.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

fail() { echo "release: $*" >&2; exit 1; }

# One bare line of a key file, to compare keys whatever their line ends.
key_text() { tr -d ' \r\n' <"$1"; }

if [ $# -eq 0 ]; then
  key=${NIMBUL_UPDATE_KEY_FILE:-}
  [ -n "$key" ] || fail "no update key: a release installs only updates signed with its maker's key;
  run: make release NIMBUL_UPDATE_KEY_FILE=/path/to/maker.key (README, \"Publishing an update\")"
  [ -f "$key" ] || fail "no key file at $key"
  dev=$repo/build/update-dev.key
  if [ -f "$dev" ] && [ "$(key_text "$key")" = "$(key_text "$dev")" ]; then
    fail "$key is the test bench's development key; a release needs the maker's own (nimbul-publish keygen)"
  fi
  build=$repo/build/release
  rm -rf "$build"
  cmake --preset win32 -B "$build" -DNIMBUL_DEPS="${NIMBUL_DEPS:-/opt/nimbulon-deps/i686}" \
    -DNIMBUL_UPDATE_KEY_FILE="$(realpath "$key")" ${NIMBUL_UPDATE_HOST:+"-DNIMBUL_UPDATE_HOST=$NIMBUL_UPDATE_HOST"} \
    >/dev/null
  cmake --build "$build" -j2 --target Nimbul
  exe=$build/Nimbul.exe
  out=$repo/dist
elif [ $# -eq 2 ]; then
  exe=$1
  out=$2
else
  sed -n '2,12p' "$0" >&2
  exit 2
fi

[ -f "$exe" ] || fail "no executable at $exe"
licence=$repo/LICENSE
[ -f "$licence" ] || fail "no licence text at $licence"
"$repo/scripts/check-exe.sh" "$exe" >&2 || fail "$exe fails the file checks above"

version=$(python3 "$repo/scripts/pe_version.py" "$exe") || fail "cannot read the version of $exe"
publisher=$(python3 "$repo/scripts/pe_version.py" "$exe" CompanyName) || fail "no publisher in $exe"
copyright=$(python3 "$repo/scripts/pe_version.py" "$exe" LegalCopyright) || fail "no copyright in $exe"
[[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "unexpected version \"$version\""

# Authenticode: signs $1 in place when a certificate is given.
signed=no
if [ -n "${NIMBUL_SIGN_CERT:-}" ] || [ -n "${NIMBUL_SIGN_KEY:-}" ]; then
  [ -f "${NIMBUL_SIGN_CERT:-}" ] && [ -f "${NIMBUL_SIGN_KEY:-}" ] ||
    fail "NIMBUL_SIGN_CERT and NIMBUL_SIGN_KEY must both name files (certificate and private key, PEM)"
  signed=yes
fi
sign() {
  [ $signed = yes ] || return 0
  osslsigncode sign -certs "$NIMBUL_SIGN_CERT" -key "$NIMBUL_SIGN_KEY" -h sha256 -n Nimbulon \
    -in "$1" -out "$1.signed" >/dev/null || fail "osslsigncode could not sign $1"
  mv "$1.signed" "$1"
}

zip_name=Nimbulon-$version-portable.zip
setup_name=Nimbulon-$version-setup.exe

rm -rf "$out"
mkdir -p "$out"
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

# Text files in Windows line ends; every file dated by the last commit, so
# the same tree gives the same zip.
crlf() { sed 's/\r$//; s/$/\r/' "$1" >"$2"; }
mkdir -p "$stage/zip/Icons"
cp "$exe" "$stage/zip/Nimbul.exe"
sign "$stage/zip/Nimbul.exe"
crlf "$licence" "$stage/zip/License.txt"
crlf "$repo/installer/Readme.txt" "$stage/zip/Readme.txt"
stamp=$(git -C "$repo" log -1 --format=%ct 2>/dev/null || date +%s)
find "$stage/zip" -exec touch -d "@$stamp" {} +
(cd "$stage/zip" && TZ=UTC zip -X -q "$out/$zip_name" Nimbul.exe Icons/ License.txt Readme.txt)

makensis -V2 -WX -NOCD \
  "-DVERSION=$version" "-DPUBLISHER=$publisher" "-DCOPYRIGHT=$copyright" \
  "-DEXE=$stage/zip/Nimbul.exe" "-DLICENSE=$stage/zip/License.txt" "-DREADME=$stage/zip/Readme.txt" \
  "-DICON=$repo/res/nimbul.ico" "-DOUTFILE=$out/$setup_name" \
  "$repo/installer/nimbulon.nsi" >&2 || fail "makensis failed"
sign "$out/$setup_name"

cp "$stage/zip/Nimbul.exe" "$out/Nimbul.exe"
(cd "$out" && sha256sum Nimbul.exe "$zip_name" "$setup_name" >SHA256SUMS)

if [ $signed = yes ]; then
  echo "release: Nimbul.exe and the setup are Authenticode-signed"
else
  echo "release: unsigned (no NIMBUL_SIGN_CERT and NIMBUL_SIGN_KEY given)"
fi
echo "release: Nimbulon $version in $out"
(cd "$out" && ls -l Nimbul.exe "$zip_name" "$setup_name" SHA256SUMS | awk '{printf "  %9d  %s\n", $5, $9}')
