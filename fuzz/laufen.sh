#!/usr/bin/env bash
# Builds the fuzz targets with clang (build-fuzz/) and runs them, one job at a
# time.
#
#   fuzz/laufen.sh                     list the targets
#   fuzz/laufen.sh ZIEL [SEKUNDEN]     fuzz one target (default 600 s)
#   fuzz/laufen.sh alle [SEKUNDEN]     each target in turn, SEKUNDEN each
#   fuzz/laufen.sh wiederholen         run every target once over its corpus
#                                      and the saved findings, no mutation
#
# Seeds come from the tests (fuzz/saat.py), the growing corpus stays in
# build-fuzz/korpus/ZIEL, findings (crash-*, timeout-*, oom-*) are written
# to build-fuzz/funde/ZIEL/.  Further libFuzzer options may follow in
# FUZZ_OPTIONEN.
set -euo pipefail
wurzel=$(cd "$(dirname "$0")/.." && pwd)
bau=${FUZZ_BAU:-$wurzel/build-fuzz}

bauen() {
    if [ ! -f "$bau/CMakeCache.txt" ]; then
        CC=clang CXX=clang++ cmake -S "$wurzel" -B "$bau" -DNUMERIK_FUZZ=ON -DNUMERIK_TESTS=OFF \
            -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    fi
    cmake --build "$bau" -j 2 >/dev/null
}

ziele() {
    find "$bau/bin" -maxdepth 1 -name 'fuzz_*' -type f -executable -printf '%f\n' | sed 's/^fuzz_//' | sort
}

einmal() { # ziel sekunden [extra libFuzzer arguments]
    local ziel=$1 sekunden=$2
    shift 2
    local korpus=$bau/korpus/$ziel saat=$bau/saat/$ziel funde=$bau/funde/$ziel
    rm -rf "$saat"
    mkdir -p "$korpus" "$funde"
    /usr/bin/python3 "$wurzel/fuzz/saat.py" "$ziel" "$wurzel" "$saat"
    echo "== $ziel: $sekunden s, Korpus $(ls "$korpus" | wc -l), Saat $(ls "$saat" | wc -l)"
    # -timeout: the child has its own limit of 10 s; this one catches a
    # parent that waits on a child that never ends.
    "$bau/bin/fuzz_$ziel" -max_total_time="$sekunden" -timeout=60 -max_len=16384 \
        -dict="$wurzel/fuzz/numerik.dict" -artifact_prefix="$funde/" -print_final_stats=1 \
        ${FUZZ_OPTIONEN:-} "$@" "$korpus" "$saat"
}

bauen
# The targets' working directories; one left by a run that ended in a
# finding is removed here.
export TMPDIR=$bau/tmp
rm -rf "$TMPDIR"
mkdir -p "$TMPDIR"
case ${1:-} in
"")
    ziele
    ;;
alle)
    for ziel in $(ziele); do
        einmal "$ziel" "${2:-600}"
    done
    ;;
wiederholen)
    for ziel in $(ziele); do
        mkdir -p "$bau/korpus/$ziel" "$wurzel/fuzz/funde/$ziel"
        echo "== $ziel: Korpus $(ls "$bau/korpus/$ziel" | wc -l), Funde $(ls "$wurzel/fuzz/funde/$ziel" | wc -l)"
        if ! bericht=$("$bau/bin/fuzz_$ziel" -runs=0 "$bau/korpus/$ziel" \
            "$wurzel/fuzz/funde/$ziel" 2>&1); then
            printf '%s\n' "$bericht" | grep -v '^    #' | tail -n 30
            exit 1
        fi
    done
    echo "keine Befunde"
    ;;
*)
    einmal "$1" "${2:-600}"
    ;;
esac
