#!/usr/bin/env bash
# scripts/update-translations.sh : brings every translations/*.ts file up to date with the texts
# in the sources (Qt's lupdate). New texts arrive untranslated; texts no longer in the sources are
# dropped. Translate with Qt Linguist or by hand, then build: the build compiles them.
set -euo pipefail
source "$(dirname "$0")/common.sh"
need_packages qt6-l10n-tools
lupdate=/usr/lib/qt6/bin/lupdate
cd "$ROOT"
# The shared parts and each program's own folder; a program's file also holds its menus.
sources_of() {
    case "$1" in
        common) echo common ;;
        artshelf) echo gallery ;;
        tagloom32) echo template ;;
        seatpick) echo profiles ;;
    esac
}
for ts in translations/*_*.ts; do
    name="$(basename "$ts" .ts)"
    name="${name%_*}"
    "$lupdate" -silent -locations none -no-obsolete $(sources_of "$name") -ts "$ts"
done
