#!/usr/bin/env bash
# Installs the built project into a temporary prefix, builds the consumer
# examples against it with find_package (a project in C alone, and one in
# C++) and runs them; also compiles every installed public header alone as C
# and as C++.
set -euo pipefail
bau=$1
quelle=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

cmake --install "$bau" --prefix "$tmp/prefix" >/dev/null
for header in "$tmp"/prefix/include/numerik/*.h; do
    name=numerik/$(basename "$header")
    printf '#include <%s>\n#include <%s>\nint main(void) { return 0; }\n' "$name" "$name" >"$tmp/h.c"
    gcc -std=c11 -Wall -Wextra -Werror -pedantic -I"$tmp/prefix/include" -c "$tmp/h.c" -o "$tmp/h.o"
    cp "$tmp/h.c" "$tmp/h.cpp"
    g++ -std=c++20 -Wall -Wextra -Werror -I"$tmp/prefix/include" -c "$tmp/h.cpp" -o "$tmp/h.o"
done

cmake -S "$quelle/examples/spline_beispiel" -B "$tmp/beispiel" \
    -DCMAKE_PREFIX_PATH="$tmp/prefix" >/dev/null
cmake --build "$tmp/beispiel" >/dev/null
"$tmp/beispiel/spline_beispiel" >"$tmp/ausgabe"
diff -u "$quelle/examples/spline_beispiel/erwartet.txt" "$tmp/ausgabe"

cmake -S "$quelle/examples/cpp_beispiel" -B "$tmp/cpp" -DCMAKE_PREFIX_PATH="$tmp/prefix" >/dev/null
cmake --build "$tmp/cpp" >/dev/null
"$tmp/cpp/cpp_beispiel" | diff -u "$quelle/examples/cpp_beispiel/erwartet.txt" -

# The C program built against the pkg-config file.
PKG_CONFIG_PATH="$tmp/prefix/lib/pkgconfig" pkg-config --cflags --libs numerik >"$tmp/pc"
gcc -std=c11 "$quelle/examples/spline_beispiel/spline_beispiel.c" $(cat "$tmp/pc") -o "$tmp/pc_beispiel"
"$tmp/pc_beispiel" | diff -u "$quelle/examples/spline_beispiel/erwartet.txt" -
echo "Installation, Paketkonfiguration und Header in Ordnung."
