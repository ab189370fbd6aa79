#!/usr/bin/env bash
# Checks that every text of the program has its German and French translation: lupdate reads the
# sources into copies of the translation files, where a text new or changed since the translators'
# work is left unfinished.
#   tests/translations.sh LUPDATE SOURCE_DIR
set -euo pipefail

lupdate=$1 source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$source"/app/translations/*.ts "$work"/
"$lupdate" -no-obsolete -locations none -silent "$source/app" -ts "$work"/*.ts
if grep -B2 'type="unfinished"' "$work"/*.ts; then
    echo "FAIL: the texts above have no translation (update_translations, then translate them)"
    exit 1
fi
echo "translations: every text translated"
