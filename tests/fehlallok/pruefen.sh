#!/usr/bin/env bash
# Allocation failure at every point of a program run.
#
#   pruefen.sh SHIM BIN [FALL...]
#
# SHIM is the preloadable libfehlallok.so, BIN the directory of the programs.
# Each case (default: every line of the file faelle beside this script) is a
# program case of tests/faelle without a skript.  It runs with k = 1, 2, ...:
# the k-th allocation fails, until a run no longer reaches k.  Each run must
# end in one of two ways:
#   exactly as the case expects, status and output (the failed allocation
#     was one the C library can do without: the stdio buffer of a stream,
#     which then works unbuffered; the C++ runtime's emergency pool; or the
#     case fails before the allocation mattered);
#   status 1 with a sound last message on standard error: one of the
#     "Nicht genug Speicher fuer ..." messages, "Oeffnen der Datei %s
#     fehlgeschlagen." for a file argument (fopen could not allocate its
#     stream), or the case's own further pattern.  What stands before that
#     message must be the beginning of what the case prints (its warnings).
#     Standard output is not looked at: output written before the failure
#     may stand.
# Either way no temporary file may stay, and every file of the case's in/
# must be there: unchanged after a failure (and nothing else there), as
# out/ names it after a run that gives the case's result.
# A signal, a hang (20 s), any other status or message is a fault.
set -u
shim=$(realpath "$1")
bin=$(cd "$2" && pwd)
shift 2
hier=$(cd "$(dirname "$0")" && pwd)
faelle_dir=$(cd "$hier/../faelle" && pwd)
if [ $# -gt 0 ]; then
    liste=$(printf '%s\n' "$@")
else
    liste=$(grep -v '^#' "$hier/faelle" | grep -v '^[[:space:]]*$')
fi

lies() { # variable file: the file's content, trailing newlines kept
    IFS= read -r -d '' "$1" <"$2" || true
}

# The first file the run left wrong in its directory, if any, in falsch:
# missing, changed, or not there before (with 1: as the case's out/ names
# it).  Globs instead of find: the driver runs a case once per allocation,
# and a process less per run is most of its time.
shopt -s dotglob nullglob globstar
falsche_datei() { # wie_erwartet
    local datei rel
    falsch=""
    if [ -d "$dir/in" ]; then
        for datei in "$dir/in"/**; do
            [ -f "$datei" ] || continue
            rel=${datei#"$dir/in/"}
            [ -e "$arbeit/$rel" ] || { falsch=$rel; return; }
        done
    fi
    for datei in "$arbeit"/**; do
        [ -d "$datei" ] && continue
        rel=${datei#"$arbeit/"}
        case $rel in .stdout | .stderr | .protokoll) continue ;; esac
        [ "$1" = 1 ] && [ -f "$dir/out/$rel" ] && continue
        [ -f "$dir/in/$rel" ] && cmp -s "$dir/in/$rel" "$datei" && continue
        falsch=$rel
        return
    done
}

speicher_re=$'^Nicht genug Speicher fuer [^\n]*\n$'
arbeit=$(mktemp -d)
trap 'rm -rf "$arbeit"' EXIT
arbeit=$arbeit/lauf
fehler=0
while IFS=$'\t' read -r fall extra; do
    [ -n "$fall" ] || continue
    dir=$faelle_dir/$fall
    programm=${fall%%/*}
    [ -f "$dir/programm" ] && programm=$(head -n 1 "$dir/programm")
    if [ ! -x "$bin/$programm" ]; then
        echo "$fall: $programm nicht gebaut, uebersprungen"
        continue
    fi
    args=()
    [ -f "$dir/args" ] && mapfile -t args <"$dir/args"
    eingabe=/dev/null
    [ -f "$dir/stdin" ] && eingabe=$dir/stdin
    soll_status=0
    [ -f "$dir/status" ] && soll_status=$(head -n 1 "$dir/status")
    soll_aus=""
    [ -f "$dir/stdout" ] && lies soll_aus "$dir/stdout"
    soll_err=""
    [ -f "$dir/stderr" ] && lies soll_err "$dir/stderr"

    k=0
    ok0=0
    ok1=0
    while :; do
        k=$((k + 1))
        protokoll=$arbeit/.protokoll
        # A fresh directory where the case brings files or the last run
        # left any; else the three files of the driver are emptied.
        frisch=0
        [ -d "$dir/in" ] || [ ! -d "$arbeit" ] && frisch=1
        for datei in "$arbeit"/*; do
            case ${datei#"$arbeit/"} in .stdout | .stderr | .protokoll) [ -f "$datei" ] ;; *) false ;; esac ||
                frisch=1
        done
        if [ "$frisch" = 1 ]; then
            rm -rf "$arbeit"
            mkdir "$arbeit"
            [ -d "$dir/in" ] && cp -R "$dir/in/." "$arbeit/"
        else
            : >"$protokoll"
            : >"$arbeit/.stdout"
            : >"$arbeit/.stderr"
        fi
        # The braces take the shell's own note of a killed child off stderr.
        {
            (cd "$arbeit" && LD_PRELOAD=$shim NUMERIK_FEHLALLOK=$k \
                NUMERIK_FEHLALLOK_PROTOKOLL=$protokoll NUMERIK_FEHLALLOK_ZEITLIMIT=20 \
                exec -a "$programm" "$bin/$programm" "${args[@]}") \
                <"$eingabe" >"$arbeit/.stdout" 2>"$arbeit/.stderr"
            status=$?
        } 2>/dev/null
        lies aus "$arbeit/.stdout"
        lies err "$arbeit/.stderr"
        erreicht=0
        [ -s "$protokoll" ] && erreicht=1
        grund=""
        richtig=1
        [ "$status" = "$soll_status" ] && [ "$aus" == "$soll_aus" ] && [ "$err" == "$soll_err" ] || richtig=0
        if [ "$richtig" = 1 ] && [ -d "$dir/out" ]; then
            for datei in "$dir/out"/**; do
                [ -f "$datei" ] || continue
                cmp -s "$datei" "$arbeit/${datei#"$dir/out/"}" || richtig=0
            done
        fi
        if [ "$richtig" = 1 ]; then falsche_datei 1; else falsche_datei 0; fi
        if [ -n "$falsch" ] && { [ "$richtig" = 1 ] || [ "$status" = 1 ]; }; then
            grund="Datei $falsch fehlt, ist veraendert oder uebrig"
        elif [ "$erreicht" = 0 ]; then
            [ "$richtig" = 1 ] || grund="Lauf ohne Fehlschlag weicht vom Fall ab"
        elif [ "$richtig" = 1 ]; then
            ok0=$((ok0 + 1))
        elif [ "$status" = 0 ]; then
            grund="Status 0 mit falscher Ausgabe"
        elif [ "$status" = 1 ]; then
            # What the run printed before its last message (warnings) must be
            # what it prints without a failure; the last message must be one
            # of the sound ones.
            gemeldet=0
            vorher=${err%$'\n'}
            if [[ $vorher == *$'\n'* ]]; then vorher=${vorher%$'\n'*}$'\n'; else vorher=""; fi
            meldung=${err#"$vorher"}
            if [ "${soll_err:0:${#vorher}}" == "$vorher" ]; then
                [[ $meldung =~ $speicher_re ]] && gemeldet=1
                for a in "${args[@]}"; do
                    [ "$meldung" == "Oeffnen der Datei $a fehlgeschlagen." ] && gemeldet=1
                done
                [ -n "$extra" ] && [[ $meldung =~ $extra ]] && gemeldet=1
            fi
            if [ "$gemeldet" = 1 ]; then ok1=$((ok1 + 1)); else grund="Status 1 mit unerwarteter Meldung"; fi
        else
            grund="Status $status (Signal oder Zeitlimit)"
        fi
        if [ -n "$grund" ]; then
            echo "FEHLER: $fall, Zuteilung $k ($(cut -d' ' -f2 "$protokoll" 2>/dev/null) Bytes): $grund"
            echo "--- stdout:"; head -c 1000 "$arbeit/.stdout"
            echo "--- stderr:"; head -c 1000 "$arbeit/.stderr"
            fehler=1
        fi
        [ "$erreicht" = 1 ] || break
        if [ "$k" -ge 100000 ]; then
            echo "FEHLER: $fall: mehr als 100000 Zuteilungen"
            fehler=1
            break
        fi
    done
    echo "$fall: $((k - 1)) Zuteilungen; Speichermeldung: $ok1, Ergebnis wie ohne Fehlschlag: $ok0"
done <<<"$liste"
exit $fehler
