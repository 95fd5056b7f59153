#!/usr/bin/env bash
# Runs one program case and compares it byte for byte.
#
# A case is a directory:
#   programm   the program to run (default: the name of the parent directory)
#   args       its arguments, one per line (absent: none)
#   stdin      standard input (absent: empty)
#   in/        files copied into the working directory before the run
#   skript     instead of programm/args: a bash script run in the working
#              directory with the programs on PATH
#   stdout, stderr   expected output (absent: must be empty)
#   status     expected exit status (absent: 0)
#   out/       files that must exist in the working directory afterwards,
#              with exactly this content
#   ohne_starter  the case cannot run behind NUMERIK_STARTER (the file says
#              why): there it is skipped with exit status 77
# A case without skript must leave no other file behind (no temporary file,
# no output of a failed run) and every file of in/ that out/ does not name
# unchanged.
# The program sees its own name as argv[0], as a user calling it by name.
#
# NUMERIK_STARTER, when set, is a command that runs every program of the case
# in the runner's place (valgrind, a preloaded allocator): it is called as
#   STARTER PATH-OF-THE-PROGRAM NAME ARGUMENTS...
# and must run the program with NAME as argv[0] and return its exit status.
set -u
bin=$1
fall=$2
if [ -n "${NUMERIK_STARTER:-}" ] && [ -f "$fall/ohne_starter" ]; then
    cat "$fall/ohne_starter"
    exit 77
fi
arbeit=$(mktemp -d)
huelle=
trap 'rm -rf "$arbeit" $huelle' EXIT

if [ -n "${NUMERIK_STARTER:-}" ]; then
    huelle=$(mktemp -d)
    for p in "$bin"/*; do
        [ -f "$p" ] && [ -x "$p" ] || continue
        # Absolute paths only: a case's script may narrow PATH.
        printf '#!%s\nexec %q %q %q %q "$@"\n' "$BASH" "$BASH" "$NUMERIK_STARTER" "$p" \
            "$(basename "$p")" >"$huelle/$(basename "$p")"
        chmod +x "$huelle/$(basename "$p")"
    done
    bin=$huelle
fi

[ -d "$fall/in" ] && cp -R "$fall/in/." "$arbeit/"
eingabe=/dev/null
[ -f "$fall/stdin" ] && eingabe="$fall/stdin"

if [ -f "$fall/skript" ]; then
    (cd "$arbeit" && PATH="$bin:$PATH" bash "$fall/skript") <"$eingabe" >"$arbeit/.stdout" 2>"$arbeit/.stderr"
    status=$?
else
    programm=$(basename "$(dirname "$fall")")
    [ -f "$fall/programm" ] && programm=$(head -n 1 "$fall/programm")
    args=()
    if [ -f "$fall/args" ]; then
        mapfile -t args <"$fall/args"
    fi
    (cd "$arbeit" && exec -a "$programm" "$bin/$programm" "${args[@]}") <"$eingabe" >"$arbeit/.stdout" 2>"$arbeit/.stderr"
    status=$?
fi

fehler=0
vergleiche() { # expected-file actual-file label
    local erwartet=$1 tatsaechlich=$2 was=$3
    if [ -f "$erwartet" ]; then
        if ! cmp -s "$erwartet" "$tatsaechlich"; then
            echo "FEHLER: $was weicht ab"
            diff <(od -c "$erwartet") <(od -c "$tatsaechlich") | head -n 40
            fehler=1
        fi
    elif [ -s "$tatsaechlich" ]; then
        echo "FEHLER: $was sollte leer sein, ist:"
        head -c 2000 "$tatsaechlich"
        fehler=1
    fi
}
vergleiche "$fall/stdout" "$arbeit/.stdout" stdout
vergleiche "$fall/stderr" "$arbeit/.stderr" stderr
erwarteter_status=0
[ -f "$fall/status" ] && erwarteter_status=$(head -n 1 "$fall/status")
if [ "$status" != "$erwarteter_status" ]; then
    echo "FEHLER: Status $status, erwartet $erwarteter_status"
    fehler=1
fi
if [ -d "$fall/out" ]; then
    while IFS= read -r -d '' datei; do
        rel=${datei#"$fall/out/"}
        if [ ! -f "$arbeit/$rel" ]; then
            echo "FEHLER: Datei $rel fehlt"
            fehler=1
        else
            vergleiche "$datei" "$arbeit/$rel" "Datei $rel"
        fi
    done < <(find "$fall/out" -type f -print0)
fi
if [ ! -f "$fall/skript" ]; then
    while IFS= read -r -d '' datei; do
        rel=${datei#"$arbeit/"}
        if [ -f "$fall/out/$rel" ]; then
            continue
        elif [ -f "$fall/in/$rel" ]; then
            vergleiche "$fall/in/$rel" "$datei" "Eingabedatei $rel"
        else
            echo "FEHLER: Datei $rel sollte nicht da sein"
            fehler=1
        fi
    done < <(find "$arbeit" -mindepth 1 ! -type d ! -name .stdout ! -name .stderr -print0)
fi
exit $fehler
