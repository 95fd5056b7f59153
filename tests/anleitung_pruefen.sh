#!/usr/bin/env bash
# The walkthroughs of the library guide (doku/bibliothek.md, from "Adding a
# node kind" to "This reference") against the code: every field written
# in backticks as `.name` is a field of a record in the public headers or
# the generic layer, every function name written as name() or name(... is
# declared somewhere in the library, and every file path exists.  A guide
# that proposes what the code no longer has fails.
set -u
cd "$1" || exit 1
abschnitt=$(sed -n '/^Adding a node kind$/,/^This reference$/p' doku/bibliothek.md)
quellen=$(ls include/numerik/*.h numerik/*/*.h numerik/*/*.cpp)
fehler=0
# Names the walkthroughs make up for the new class or kind.
erfunden='^(legendre|akima2|Akima2|AKIMA2|akima2daten|akima2_[a-z]+|legendre_punkt|STUETZSTELLEN_LEGENDRE)'
for feld in $(grep -oE '`[^`]*`' <<<"$abschnitt" | grep -oE '(^|[^A-Za-z0-9_/])\.[a-z_][a-z0-9_]*' |
    sed -E 's/^[^.]*\.//' | sort -u); do
    if ! grep -qE "[ *]${feld}(\[[^]]*\])?;|\.${feld} =" $quellen; then
        echo "FEHLER: das Feld .$feld der Anleitung gibt es im Code nicht"
        fehler=1
    fi
done
for funktion in $(grep -oE '(^|[^A-Za-z0-9_.])[a-z_][a-z0-9_]*(<[a-z0-9_]+>)?\(' <<<"$abschnitt" |
    sed -E 's/^[^a-z_]//; s/<.*//; s/\($//' | sort -u); do
    grep -qE "$erfunden" <<<"$funktion" && continue
    if ! grep -qE "[ *&]${funktion}(<[^>]*>)?\(" $quellen; then
        echo "FEHLER: die Funktion $funktion() der Anleitung gibt es im Code nicht"
        fehler=1
    fi
done
for pfad in $(grep -oE '`(numerik|include|tests)/[^`]+`' <<<"$abschnitt" | tr -d '`' | sort -u); do
    grep -qE "$erfunden|akima2" <<<"${pfad##*/}" && continue
    if [ ! -e "$pfad" ] && [ ! -e "include/$pfad" ]; then
        echo "FEHLER: die Datei $pfad der Anleitung gibt es nicht"
        fehler=1
    fi
done
# Tables written as `name[]` are arrays of the library.
for tabelle in $(grep -oE '`[a-z_][a-z0-9_]*\[\]' <<<"$abschnitt" | tr -d '`[]' | sort -u); do
    if ! grep -qE "[ *]${tabelle}\[\] = " $quellen; then
        echo "FEHLER: die Tabelle ${tabelle}[] der Anleitung gibt es im Code nicht"
        fehler=1
    fi
done
# A node kind the guide proposes takes a number no kind has yet; the ones it
# names as there must be there with that number.
while read -r name nummer; do
    if grep -qE "^ *${name} = ${nummer}\b" include/numerik/interplt.h; then
        continue
    fi
    if grep -qE "^ *STUETZSTELLEN_[A-Z0-9_]+ = ${nummer}\b" include/numerik/interplt.h; then
        echo "FEHLER: die Knotenart $name = $nummer der Anleitung hat eine vergebene Nummer"
        fehler=1
    fi
done < <(grep -oE 'STUETZSTELLEN_[A-Z0-9_]+ = [0-9]+' <<<"$abschnitt" | sed 's/ = / /')
[ $fehler -eq 0 ] && echo "Die Anleitungen der Bibliothek passen zum Code."
exit $fehler
