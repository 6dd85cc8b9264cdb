#!/usr/bin/env bash
# Runs a command with the update host's name mapped to 127.0.0.1, in a mount
# namespace of its own whose /etc/hosts has the one extra line: the program's
# update check then reaches a test server on this machine, and nothing else
# on the machine sees the change. Without the rights for that, the command
# runs as it is (the update tests then skip themselves).
#
#   scripts/with-update-host.sh HOST COMMAND...
set -uo pipefail
host=$1
shift
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
hosts=$repo/build/update-test-hosts
mkdir -p "$(dirname "$hosts")"
{ cat /etc/hosts; echo "127.0.0.1 $host"; } >"$hosts"
export NIMBUL_UPDATE_HOST=$host
if unshare -m true 2>/dev/null; then
  exec unshare -m sh -c 'mount --bind "$0" /etc/hosts && exec "$@"' "$hosts" "$@"
fi
exec "$@"
