#!/usr/bin/env bash
# Holds every C++ file of the project to .clang-format: prints "  ok" when
# clang-format would change nothing, else "  FAILED <file>" for each file it
# would change (`clang-format -i <file>` formats one).
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
if ! command -v clang-format >/dev/null; then
  echo "  FAILED clang-format is not installed (scripts/bootstrap.sh installs it)"
  exit 0
fi
bad=0
while IFS= read -r f; do
  if ! clang-format --dry-run -Werror "$f" >/dev/null 2>&1; then
    echo "  FAILED $f is not formatted (clang-format -i $f)"
    bad=$((bad + 1))
  fi
done < <(git ls-files -- '*.cpp' '*.h')
[ "$bad" -eq 0 ] && echo "  ok every C++ file is formatted"
exit 0
