#!/usr/bin/env bash
# Makes FILE a new Ed25519 secret key in the form nimbul-publish reads
# (128 hex digits: the 32-byte seed, then the 32-byte public key), readable by
# its owner only; does nothing when FILE exists. The test bench's builds carry
# the public half of such a key (build/update-dev.key), so that the update
# can be tested end to end; `make release` refuses it.
#
#   scripts/dev-update-key.sh FILE
set -euo pipefail
file=${1:?usage: dev-update-key.sh FILE}
[ -e "$file" ] && exit 0
mkdir -p "$(dirname "$file")"
umask 077
der=$(mktemp)
trap 'rm -f "$der"' EXIT
openssl genpkey -algorithm ed25519 -outform DER -out "$der" 2>/dev/null
# Both DER forms end with the raw 32-byte key.
seed=$(tail -c 32 "$der" | od -An -v -tx1 | tr -d ' \n')
public=$(openssl pkey -inform DER -in "$der" -pubout -outform DER 2>/dev/null | tail -c 32 | od -An -v -tx1 | tr -d ' \n')
[ ${#seed} -eq 64 ] && [ ${#public} -eq 64 ] || { echo "dev-update-key: openssl made no Ed25519 key" >&2; exit 1; }
tmp=$file.tmp$$
printf '%s%s\n' "$seed" "$public" >"$tmp"
mv "$tmp" "$file"
