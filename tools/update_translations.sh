#!/usr/bin/env bash
# Refreshes the English catalogue i18n/quorvel_en.ts from the sources: every text inside
# QT_TRANSLATE_NOOP(...) or QCoreApplication::translate(...) in game/, ui/ and storage/ gets an entry.
# New entries come in unfinished: give each its English in the file (by hand or in Qt
# Linguist, `linguist i18n/quorvel_en.ts`) and remove its type="unfinished"; the test
# i18n.complete fails until every entry has its English. Entries whose text left the sources
# are kept as vanished and come back with their English when the text returns.
#
# usage: tools/update_translations.sh
set -euo pipefail
cd "$(dirname "$0")/.."
"$(dirname "$0")/install_packages.sh"
lupdate=/usr/lib/qt6/bin/lupdate
[[ -x "$lupdate" ]] || lupdate=$(command -v lupdate6 || command -v lupdate)
"$lupdate" -locations none -extensions cpp,h game ui storage -target-language en -ts i18n/quorvel_en.ts
