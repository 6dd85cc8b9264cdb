#!/usr/bin/env bash
# Takes the pictures of docs/ again: the end-to-end tests that show the
# windows save them (NIMBUL_DOCS_SHOTS) in the project's Wine prefix, which
# holds Wine's own fonts, and they are written into docs/ as PNG files.
#
#   scripts/docs-pictures.sh     (make docs-pictures builds first)
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

# Without Marlett the title-bar buttons draw as letters, and labels are cut
# by a wider stand-in for MS Sans Serif (scripts/bootstrap.sh copies them).
if [ ! -f "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf" ]; then
  echo "docs-pictures: $WINEPREFIX has no Wine fonts; run make bootstrap first" >&2
  exit 1
fi

shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
NIMBUL_DOCS_SHOTS=$(winepath -w "$shots" 2>/dev/null)
export NIMBUL_DOCS_SHOTS

tests=(
  'AboutBox.ShowsTheVersionAndTypingTheToggleCodeFlipsTheSetting'
  'AboutBox.LicenceOpensFromTheHelpMenuAndEscClosesIt'
  'ColorsDialog.ColourPickedInTheSystemDialogIsStoredByOk'
  'Tray.TheIconsRightClickOpensItsMenuWhoseOpenEntryBringsTheProgramBackByItsLetter'
  'IconChooser.ADroppedIconIsOfferedAndCanBeChosen'
  'Update.AnEqualVersionIsNoNewerAndABiggerOneIsRecommended'
  'Update.ClosingTheWindowDuringTheDownloadCancelsIt'
)
filter=$(IFS=:; echo "${tests[*]}")
NIMBUL_GTEST_ARGS="--gtest_filter=$filter" "$repo/scripts/test.sh" e2e
status=$?

for bmp in "$shots"/*.bmp; do
  [ -e "$bmp" ] || continue
  name=$(basename "${bmp%.bmp}")
  convert "$bmp" "$repo/docs/$name.png" && echo "docs-pictures: docs/$name.png"
done
exit $status
