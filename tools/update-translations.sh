#!/usr/bin/env bash
# Brings the German translation up to date with the sources: texts new in the sources are added
# as unfinished entries (to be translated, e.g. in Qt Linguist), texts no longer in them are
# dropped. Needs qt6-l10n-tools.
# Usage: tools/update-translations.sh [TS_FILE]   (default translations/noctaris_de.ts)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
lupdate=${LUPDATE:-/usr/lib/qt6/bin/lupdate}
ts=$(realpath -m "${1:-$root/translations/noctaris_de.ts}")
cd "$root"
# -I: the headers give tr() its class's full name (namespace included), as Qt looks it up.
"$lupdate" astro catalog platform chart windows app cli -I "$root" -extensions h,cpp \
  -locations relative -no-obsolete -source-language en -target-language de -ts "$ts"
