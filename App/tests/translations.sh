#!/usr/bin/env bash
# Every interface text in the sources has a finished Arabic translation, and
# the translation file holds nothing the sources no longer say.
#   translations.sh LUPDATE APP_DIR
set -euo pipefail
lupdate="$1" app="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$app/i18n/tovu_ar.ts" "$work/tovu_ar.ts"
"$lupdate" "$app/src" "$app/qml" -ts "$work/tovu_ar.ts" -locations none >"$work/lupdate.log" 2>&1 || {
  cat "$work/lupdate.log"; exit 1; }
status=0
if grep -n 'type="unfinished"' "$work/tovu_ar.ts"; then echo "untranslated texts (above)"; status=1; fi
if grep -nE 'type="(obsolete|vanished)"' "$work/tovu_ar.ts"; then echo "texts no source uses (above)"; status=1; fi
if ! diff -u "$app/i18n/tovu_ar.ts" "$work/tovu_ar.ts"; then echo "tovu_ar.ts is not what lupdate writes"; status=1; fi
# What fills a %N (a title, a reason, a path, a number) keeps its own
# direction inside the Arabic: each stands between U+2068 and U+2069.
fsi=$'\xe2\x81\xa8' pdi=$'\xe2\x81\xa9'
if grep '<translation>' "$app/i18n/tovu_ar.ts" | sed "s/$fsi%[0-9]$pdi//g" | grep '%[0-9]'; then
  echo "placeholders not isolated (above)"; status=1; fi
exit $status
