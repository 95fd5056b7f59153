#!/usr/bin/env bash
# Runs the shell sessions of the README and of the guide pages (doku/*.md)
# and compares what the programs print with what the text shows.  A session
# is a fenced block marked "console"; in it, a line "$ command" is run (in
# one working directory for each file, with the programs on PATH), and the
# lines up to the next "$ " line or the end of the block are its expected
# output, standard output and standard error together.  A fenced block
# marked "text NAME" is a file shown in the text: it is written as NAME into
# the working directory, for the sessions after it.
#
#   readme_pruefen.sh BIN SOURCE     README.md and doku/*.md of SOURCE
#   readme_pruefen.sh BIN FILE...    the files given
set -uo pipefail
bin=$(cd "$1" && pwd)
shift
if [ $# -eq 1 ] && [ -d "$1" ]; then
    dateien=("$1/README.md" "$1"/doku/*.md)
else
    dateien=("$@")
fi
arbeit=$(mktemp -d)
trap 'rm -rf "$arbeit"' EXIT

fehler=0
gesamt=0
for datei in "${dateien[@]}"; do
    rm -rf "$arbeit" && mkdir "$arbeit"
    befehl=""
    zeilen=()
    im_block=0
    datei_block=""
    pruefe() {
        [ -z "$befehl" ] && return
        local tatsaechlich erwartet=""
        [ ${#zeilen[@]} -gt 0 ] && erwartet=$(printf '%s\n' "${zeilen[@]}")
        tatsaechlich=$(cd "$arbeit" && PATH="$bin:$PATH" bash -c "$befehl" 2>&1)
        if [ "$tatsaechlich" != "$erwartet" ]; then
            echo "$(basename "$datei") weicht ab bei: \$ $befehl"
            diff <(printf '%s\n' "$erwartet") <(printf '%s\n' "$tatsaechlich") | head -n 20
            fehler=1
        fi
        befehl=""
        zeilen=()
    }
    anzahl=0
    while IFS= read -r zeile; do
        if [ -n "$datei_block" ]; then
            if [ "$zeile" = '```' ]; then
                datei_block=""
            else
                printf '%s\n' "$zeile" >>"$arbeit/$datei_block"
            fi
            continue
        fi
        if [ $im_block -eq 0 ]; then
            [ "$zeile" = '```console' ] && im_block=1
            if [[ "$zeile" =~ ^'```text '([A-Za-z0-9_.-]+)$ ]]; then
                datei_block=${BASH_REMATCH[1]}
                : >"$arbeit/$datei_block"
            fi
            continue
        fi
        if [ "$zeile" = '```' ]; then
            pruefe
            im_block=0
        elif [[ "$zeile" == '$ '* ]]; then
            pruefe
            befehl=${zeile#'$ '}
            anzahl=$((anzahl + 1))
        elif [ -n "$befehl" ]; then
            zeilen+=("$zeile")
        fi
    done <"$datei"
    if [ $im_block -eq 1 ] || [ -n "$datei_block" ]; then
        echo "$(basename "$datei"): Block ohne Ende"
        fehler=1
    fi
    echo "$(basename "$datei"): $anzahl Befehle"
    gesamt=$((gesamt + anzahl))
done
if [ $gesamt -eq 0 ]; then
    echo "Keine Shell-Sitzung gefunden."
    exit 1
fi
[ $fehler -eq 0 ] && echo "$gesamt Befehle geben genau die gezeigte Ausgabe."
exit $fehler
