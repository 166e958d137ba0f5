#!/bin/sh
# Brings the translation sources up to date with the tr() calls of the
# program: new texts appear as unfinished entries, texts that are gone are
# kept as vanished ones.  Extra arguments go to lupdate (for instance
# -no-obsolete to drop the vanished entries).
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

# No source locations: they would change with every edit of the code.
exec "$lupdate" -locations none -extensions cpp,h "$@" \
    app gui indicator dialogs -ts translations/ampelwick_*.ts
