#!/usr/bin/env bash
# Builds the HTML reference with every doxygen warning as an error (so an
# undocumented public declaration fails), then checks that it covers every
# public header: doxygen writes a page only for a header whose comment
# documents the file, and warns about nothing in a header without one, so
# each header must have its page, and each function, variable and type that
# the header declares at file scope must appear on it.
set -euo pipefail
quelle=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

"$quelle/scripts/doku" -w "$tmp" >/dev/null

fehler=0
for header in "$quelle"/include/numerik/*.h; do
    name=$(basename "$header")
    # doxygen's page name: "_" doubled, "." as "_8".
    seite=$tmp/html/$(printf '%s' "$name" | sed 's/_/__/g; s/\./_8/g').html
    if [ ! -f "$seite" ]; then
        echo "$name: keine Seite in der Referenz (Dateikommentar mit \\file fehlt?)"
        fehler=1
        continue
    fi
    # Names declared at file scope, at the start of a line: functions
    # (declarations and inline definitions), extern variables, typedefs
    # (also of function pointers), the names behind "} name;" and "using",
    # structs and classes, macros with a value (not the include guard).
    namen=$(sed -n -E \
        -e '/^(typedef|#|__attribute__|extern "C"|struct|class|enum|using|static_assert|[}])/!s/^[A-Za-z][^(]*[^A-Za-z0-9_(]([A-Za-z_][A-Za-z0-9_]*)\(.*/\1/p' \
        -e 's/^extern [A-Za-z_ ]+[ *]([A-Za-z_][A-Za-z0-9_]*);.*/\1/p' \
        -e 's/^typedef [^(]*\(\*([A-Za-z_][A-Za-z0-9_]*)\).*/\1/p' \
        -e 's/^typedef [A-Za-z_ ]+[ *]([A-Za-z_][A-Za-z0-9_]*);.*/\1/p' \
        -e 's/^[}] ([A-Za-z_][A-Za-z0-9_]*);.*/\1/p' \
        -e 's/^using ([A-Za-z_][A-Za-z0-9_]*) =.*/\1/p' \
        -e 's/^#define ([A-Z][A-Z0-9_]*) .+/\1/p' \
        -e 's/^(struct|class) ([A-Za-z_][A-Za-z0-9_]*) \{.*/\2/p' \
        "$header")
    # Enumerators, one a line or the first of an enum on one line.
    namen+=" $(sed -n -E -e 's/^ *([A-Z][A-Z0-9_]+) = [0-9]+.*/\1/p' \
        -e 's/^enum \{ ([A-Z][A-Z0-9_]+) = [0-9]+.*/\1/p' "$header")"
    if [ -z "${namen// /}" ]; then
        echo "$name: keine Deklaration erkannt"
        fehler=1
    fi
    for n in $namen; do
        if ! grep -q ">$n<" "$seite"; then
            echo "$name: $n fehlt in der Referenz"
            fehler=1
        fi
    done
done
[ $fehler -eq 0 ] && echo "Referenz vollstaendig, ohne Warnung."
exit $fehler
