#!/usr/bin/env bash
# Starter for tests/fall_ausfuehren.sh (NUMERIK_STARTER): runs one program
# under valgrind memcheck.
#
#   valgrind_start.sh PATH-OF-THE-PROGRAM NAME ARGUMENTS...
#
# Any invalid read or write, use of uninitialised memory or bad free, on any
# path, ends with status 99.  A run that ends with status 0 must have lost
# nothing (definitely or indirectly), else status 98.  A run that ends with
# status 1 leaves the process through _exit on purpose, with its objects
# still held: leaks are no fault there.  The valgrind report then goes to
# standard error, so the case fails and shows it.
set -u
# A case's script may narrow PATH (to hide gnuplot, say): the program keeps
# that PATH, this script finds its own tools in the system directories.
fall_path=$PATH
PATH=$PATH:/usr/local/bin:/usr/bin:/bin
programm=$1
name=$2
shift 2
protokoll=$(mktemp "${TMPDIR:-/tmp}/valgrind-$name.XXXXXX")
trap 'rm -f "$protokoll"' EXIT
# Found through PATH, the program sees NAME as argv[0], as when called by a
# user.
PATH="$(dirname "$programm"):$fall_path" "$(command -v valgrind)" --tool=memcheck --error-exitcode=99 \
    --leak-check=full --show-leak-kinds=definite,indirect --errors-for-leak-kinds=none \
    --track-origins=yes --log-file="$protokoll" "$name" "$@"
status=$?
if [ "$status" -eq 99 ]; then
    cat "$protokoll" >&2
elif [ "$status" -eq 0 ] && grep -Eq '(definitely|indirectly) lost: [1-9]' "$protokoll"; then
    cat "$protokoll" >&2
    status=98
fi
exit "$status"
