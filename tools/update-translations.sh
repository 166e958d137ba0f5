#!/bin/sh
# SPDX-License-Identifier: BSD-2-Clause
# Brings the translation sources up to date with the tr() calls of the
# program: new texts appear as unfinished entries, texts that are gone are
# kept as vanished ones.  Extra arguments go to lupdate (for instance
# -no-obsolete to drop the vanished entries).  The English catalogue holds
# only the texts with plural forms (%n): the others are English already.
set -eu
cd "$(dirname "$0")/.."

lupdate=${LUPDATE:-}
if [ -z "$lupdate" ]; then
	for c in lupdate lupdate-qt5 /usr/lib/qt5/bin/lupdate \
	    /usr/local/lib/qt5/bin/lupdate; do
		if command -v "$c" >/dev/null 2>&1; then
			lupdate=$c
			break
		fi
	done
fi
[ -n "$lupdate" ] || { echo "update-translations.sh: lupdate not found" >&2; exit 1; }

sources="app gui indicator dialogs"
others=
for ts in translations/ampelwick_*.ts; do
	[ "$ts" = translations/ampelwick_en.ts ] || others="$others $ts"
done

# No source locations: they would change with every edit of the code.
# shellcheck disable=SC2086
"$lupdate" -locations none -extensions cpp,h "$@" $sources -ts $others
# shellcheck disable=SC2086
"$lupdate" -locations none -extensions cpp,h -pluralonly "$@" $sources \
    -ts translations/ampelwick_en.ts
