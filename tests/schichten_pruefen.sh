#!/usr/bin/env bash
# The library's folders stand on each other in one order, from the bottom:
# a file includes headers only from its own folder and the folders below it,
# so there is no circle between them.  That holds for the private headers
# beside the sources and for the public headers under include/numerik/,
# each of which belongs to the folder that implements it (the table below):
# a source or public header that includes a public header of a folder
# above its own fails, and so does a folder or public header missing from
# the order.
set -u
cd "$1" || exit 1
ordnung=(grund zahlen kern matrizen lgs interpolation formel studie)
# The folder of each public header.
declare -A ordner_von=(
    [fehler.h]=grund [json.h]=zahlen
    [zahlen.h]=zahlen
    [objekt.h]=kern
    [matrix.h]=matrizen [nmmatrix.h]=matrizen [bandmtrx.h]=matrizen [a06_mtrx.h]=matrizen
    [lgs.h]=lgs
    [interplt.h]=interpolation [knotenarten.h]=interpolation [newtnipl.h]=interpolation
    [baryzipl.h]=interpolation [rationalipl.h]=interpolation [hermiteipl.h]=interpolation
    [splinipl.h]=interpolation [lebesgue.h]=interpolation [aaaipl.h]=interpolation
    [trigipl.h]=interpolation
    [funktion.h]=formel [formel.h]=formel
    [beispielfunktionen.h]=studie [methoden.h]=studie [studie.h]=studie [befund.h]=studie [warum.h]=studie
)
fehler=0
rang() {
    local i
    for i in "${!ordnung[@]}"; do
        [ "${ordnung[$i]}" = "$1" ] && { echo "$i"; return; }
    done
    echo -1
}
# The folder a header included as "x/y.h" or (public, beside another public
# header) "y.h" belongs to, or an empty text for a header the table lacks.
ordner_des() {
    case "$1" in
        numerik/*) echo "${ordner_von[${1#numerik/}]:-}" ;;
        */*) echo "${1%%/*}" ;;
        *) echo "${ordner_von[$1]:-}" ;;
    esac
}
pruefen() { # file, its folder, included header
    local datei=$1 eigener=$2 ziel=$3 oben r
    oben=$(ordner_des "$ziel")
    if [ -z "$oben" ]; then
        echo "FEHLER: $datei bindet $ziel ein, das in der Tabelle von $0 fehlt"
        fehler=1
        return
    fi
    r=$(rang "$oben")
    if [ "$r" -gt "$(rang "$eigener")" ]; then
        echo "FEHLER: $datei ($eigener) bindet $ziel ein, das zu $oben gehoert und darueber liegt"
        fehler=1
    fi
}
for ordner in numerik/*/; do
    ordner=${ordner%/}
    ordner=${ordner#numerik/}
    if [ "$(rang "$ordner")" -lt 0 ]; then
        echo "FEHLER: der Ordner numerik/$ordner fehlt in der Schichtenfolge von $0"
        fehler=1
        continue
    fi
    while IFS=: read -r datei ziel; do
        pruefen "$datei" "$ordner" "$ziel"
    done < <(grep -HoE '^#include "[a-z_]+/[^"]+"' numerik/"$ordner"/* | sed -E 's/:#include "/:/; s/"$//')
done
for kopf in include/numerik/*.h; do
    name=${kopf##*/}
    eigener=${ordner_von[$name]:-}
    if [ -z "$eigener" ]; then
        echo "FEHLER: $kopf fehlt in der Tabelle von $0"
        fehler=1
        continue
    fi
    while IFS=: read -r datei ziel; do
        pruefen "$datei" "$eigener" "$ziel"
    done < <(grep -HoE '^#include "[^"]+"' "$kopf" | sed -E 's/:#include "/:/; s/"$//')
done
[ $fehler -eq 0 ] && echo "Die Ordner der Bibliothek und ihre oeffentlichen Koepfe stehen in einer Folge, ohne Kreis."
exit $fehler
