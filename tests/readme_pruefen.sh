#!/usr/bin/env bash
# Runs the shell sessions of the README and compares what the programs print
# with what the README shows.  A session is a fenced block marked "console";
# in it, a line "$ command" is run (in one working directory for the whole
# README, with the programs on PATH), and the lines up to the next "$ " line
# or the end of the block are its expected output, standard output and
# standard error together.
set -uo pipefail
bin=$(cd "$1" && pwd)
readme=$2
arbeit=$(mktemp -d)
trap 'rm -rf "$arbeit"' EXIT

fehler=0
befehl=""
zeilen=()
im_block=0
pruefe() {
    [ -z "$befehl" ] && return
    local tatsaechlich erwartet=""
    [ ${#zeilen[@]} -gt 0 ] && erwartet=$(printf '%s\n' "${zeilen[@]}")
    tatsaechlich=$(cd "$arbeit" && PATH="$bin:$PATH" bash -c "$befehl" 2>&1)
    if [ "$tatsaechlich" != "$erwartet" ]; then
        echo "README weicht ab bei: \$ $befehl"
        diff <(printf '%s\n' "$erwartet") <(printf '%s\n' "$tatsaechlich") | head -n 20
        fehler=1
    fi
    befehl=""
    zeilen=()
}
anzahl=0
while IFS= read -r zeile; do
    if [ $im_block -eq 0 ]; then
        [ "$zeile" = '```console' ] && im_block=1
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
done <"$readme"
if [ $anzahl -eq 0 ]; then
    echo "Keine Shell-Sitzung im README gefunden."
    exit 1
fi
[ $fehler -eq 0 ] && echo "$anzahl Befehle des README geben genau die gezeigte Ausgabe."
exit $fehler
