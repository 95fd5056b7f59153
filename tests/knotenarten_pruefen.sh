#!/usr/bin/env bash
# Node kinds are told apart in one place, the table of
# numerik/interpolation/knotenarten.cpp: no other source of the library, the
# programs, the page, the benchmarks or the fuzz targets switches on a node
# kind constant or compares with one.  A list of kinds (an initialiser, an
# argument) is fine; a new kind must not need a case anywhere else.
set -u
quelle=$1
cd "$quelle" || exit 1
fehler=0
while IFS= read -r datei; do
    [ "$datei" = numerik/interpolation/knotenarten.cpp ] && continue
    if treffer=$(grep -nE '(case|[=!]=)[[:space:]]*STUETZSTELLEN_|STUETZSTELLEN_[A-Z_]+[[:space:]]*[=!]=[^=]' "$datei"); then
        while IFS= read -r zeile; do
            echo "FEHLER: $datei:$zeile unterscheidet Stuetzstellenarten ausserhalb ihrer Tabelle"
        done <<<"$treffer"
        fehler=1
    fi
done < <(find numerik werkzeuge web/wasm bench fuzz include -type f \
    \( -name '*.c' -o -name '*.cpp' -o -name '*.h' -o -name '*.js' \) 2>/dev/null | sort)
[ $fehler -eq 0 ] && echo "Stuetzstellenarten nur in ihrer Tabelle unterschieden."
exit $fehler
