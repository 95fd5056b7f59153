#!/usr/bin/env bash
# Checks every manual page man/*.1: ASCII only, and groff (all warnings on)
# and man-db render it without a single warning.
#
#   man_pruefen.sh <Verzeichnis der Handbuchseiten>
#
# Without groff there is nothing to render with: the check is skipped with
# exit status 0.  man runs in the C locale, so that a locale missing on the
# machine does not show up as a warning.
set -u
verzeichnis=${1:?Aufruf: man_pruefen.sh <Verzeichnis>}

if ! command -v groff >/dev/null 2>&1; then
    echo "groff ist nicht installiert; Handbuchseiten werden nicht geprueft."
    exit 0
fi
mit_man=1
if ! command -v man >/dev/null 2>&1; then
    echo "man ist nicht installiert; nur groff prueft die Handbuchseiten."
    mit_man=0
fi

shopt -s nullglob
seiten=("$verzeichnis"/*.1)
if [ ${#seiten[@]} -eq 0 ]; then
    echo "Keine Handbuchseiten in $verzeichnis gefunden."
    exit 1
fi

fehler=0
meldungen=$(mktemp)
trap 'rm -f "$meldungen"' EXIT

# Prints the messages of a failed check and remembers the failure.
melden() {
    echo "$1:"
    sed 's/^/    /' "$meldungen"
    fehler=1
}

nicht_ascii=$(printf '[\200-\377]')
for seite in "${seiten[@]}"; do
    if LC_ALL=C grep -n "$nicht_ascii" "$seite" >"$meldungen"; then
        melden "$seite enthaelt Zeichen ausserhalb von ASCII"
    fi
    if ! groff -ww -man -Tutf8 "$seite" >/dev/null 2>"$meldungen" || [ -s "$meldungen" ]; then
        melden "groff -ww meldet zu $seite"
    fi
    if [ "$mit_man" -eq 1 ]; then
        if ! LC_ALL=C MANWIDTH=80 man --warnings -l "$seite" >/dev/null 2>"$meldungen" ||
            [ -s "$meldungen" ]; then
            melden "man --warnings meldet zu $seite"
        fi
    fi
done

if [ "$fehler" -eq 0 ]; then
    echo "${#seiten[@]} Handbuchseiten geprueft, ohne Warnung."
fi
exit "$fehler"
