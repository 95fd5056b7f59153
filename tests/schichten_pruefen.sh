#!/usr/bin/env bash
# The library's folders stand on each other in one order, from the bottom:
# a file includes private headers only from its own folder and the folders
# below it, so there is no circle between them.  A folder of the library
# missing from the order fails as well.
set -u
cd "$1/numerik" || exit 1
ordnung=(grund zahlen kern matrizen lgs interpolation formel studie)
fehler=0
rang() {
    local i
    for i in "${!ordnung[@]}"; do
        [ "${ordnung[$i]}" = "$1" ] && { echo "$i"; return; }
    done
    echo -1
}
for ordner in */; do
    ordner=${ordner%/}
    eigener=$(rang "$ordner")
    if [ "$eigener" -lt 0 ]; then
        echo "FEHLER: der Ordner numerik/$ordner fehlt in der Schichtenfolge von $0"
        fehler=1
        continue
    fi
    while IFS=: read -r datei ziel; do
        oben=${ziel%%/*}
        r=$(rang "$oben")
        if [ "$r" -gt "$eigener" ]; then
            echo "FEHLER: numerik/$datei bindet $ziel ein, das ueber $ordner liegt"
            fehler=1
        fi
    done < <(grep -HoE '^#include "[a-z_]+/[^"]+"' "$ordner"/* | sed -E 's/:#include "/:/; s/"$//' |
        grep -v ':numerik/')
done
[ $fehler -eq 0 ] && echo "Die Ordner der Bibliothek stehen in einer Folge, ohne Kreis."
exit $fehler
