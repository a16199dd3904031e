#!/usr/bin/env bash
# Brings translations/noctaris_de.ts up to date with the sources: new texts are added as
# unfinished entries (to be translated, e.g. in Qt Linguist), texts no longer in the sources are
# dropped. Run from anywhere; needs qt6-l10n-tools.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
lupdate=${LUPDATE:-/usr/lib/qt6/bin/lupdate}
cd "$root"
"$lupdate" astro catalog platform chart windows app cli \
  -I "$root" -extensions h,cpp -locations relative -no-obsolete -source-language en -target-language de \
  -ts translations/noctaris_de.ts "$@"
