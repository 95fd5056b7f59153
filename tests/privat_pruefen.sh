#!/usr/bin/env bash
# No program, test, benchmark, fuzz target, example, page or Python module
# source includes a private header of the library (the headers beside its
# sources in numerik/), and no public header does either.
set -u
quelle=$1
cd "$quelle" || exit 1
private=$(find numerik -name "*.h" -printf "%f\n")
fehler=0
while IFS= read -r datei; do
    while IFS= read -r zeile; do
        name=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]([^>"]*)[>"].*/\1/' <<<"$zeile")
        basis=${name##*/}
        for privat in $private; do
            # A private name counts unless the file is the public header of
            # the same name (numerik/<name> found in include/).
            if [ "$basis" = "$privat" ] && [ ! -f "include/numerik/$basis" ]; then
                echo "FEHLER: $datei bindet den privaten Header $name ein"
                fehler=1
            fi
        done
    done < <(grep -E '^[[:space:]]*#[[:space:]]*include' "$datei")
done < <(find werkzeuge tests bench fuzz examples web python include -type f \
    \( -name '*.c' -o -name '*.cpp' -o -name '*.h' \) 2>/dev/null)
[ $fehler -eq 0 ] && echo "Keine privaten Header ausserhalb der Bibliothek."
exit $fehler
