#!/usr/bin/env bash
# Installs the built project into a temporary prefix, builds the consumer
# examples against it with find_package (a project in C alone, and one in
# C++) and with pkg-config, and runs them; also compiles every installed
# public header alone as C and as C++.
#
#   installation_pruefen.sh BUILD SOURCE            the build as it is (static)
#   installation_pruefen.sh -g SOURCE [CMAKE-OPTIONS]
#       a build of the library alone as libnumerik.so in a temporary
#       directory, its component bibliothek installed, the examples built
#       and run against it
set -euo pipefail
geteilt=0
if [ "$1" = "-g" ]; then
    geteilt=1
    quelle=$2
    shift 2
else
    bau=$1
    quelle=$2
fi
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/prefix

if [ $geteilt -eq 1 ]; then
    bau=$tmp/bau
    # Unoptimised and without debug information: the check is about linking
    # and packaging, and this compiles faster.
    cmake -S "$quelle" -B "$bau" -DBUILD_SHARED_LIBS=ON -DNUMERIK_TESTS=OFF -DNUMERIK_WEB=OFF \
        -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-O0 "$@" >/dev/null
    cmake --build "$bau" --target numerik -j 2 >/dev/null
    cmake --install "$bau" --prefix "$prefix" --component bibliothek >/dev/null
    if [ -e "$prefix/lib/libnumerik.a" ] || [ ! -L "$prefix/lib/libnumerik.so" ]; then
        echo "Kein libnumerik.so (oder zusaetzlich libnumerik.a) in $prefix/lib:"
        ls -l "$prefix/lib"
        exit 1
    fi
else
    cmake --install "$bau" --prefix "$prefix" >/dev/null
    for header in "$prefix"/include/numerik/*.h; do
        name=numerik/$(basename "$header")
        printf '#include <%s>\n#include <%s>\nint main(void) { return 0; }\n' "$name" "$name" >"$tmp/h.c"
        gcc -std=c11 -Wall -Wextra -Werror -pedantic -I"$prefix/include" -c "$tmp/h.c" -o "$tmp/h.o"
        cp "$tmp/h.c" "$tmp/h.cpp"
        g++ -std=c++20 -Wall -Wextra -Werror -I"$prefix/include" -c "$tmp/h.cpp" -o "$tmp/h.o"
    done
fi

# Each consumer must link the shared library when there is one, and nothing
# of it statically.
gebunden() {
    if [ $geteilt -eq 1 ] && ! readelf -d "$1" | grep -q 'NEEDED.*libnumerik\.so'; then
        echo "$1 ist nicht gegen libnumerik.so gebunden."
        exit 1
    fi
}

cmake -S "$quelle/examples/spline_beispiel" -B "$tmp/beispiel" \
    -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$tmp/beispiel" >/dev/null
gebunden "$tmp/beispiel/spline_beispiel"
"$tmp/beispiel/spline_beispiel" >"$tmp/ausgabe"
diff -u "$quelle/examples/spline_beispiel/erwartet.txt" "$tmp/ausgabe"

cmake -S "$quelle/examples/cpp_beispiel" -B "$tmp/cpp" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$tmp/cpp" >/dev/null
gebunden "$tmp/cpp/cpp_beispiel"
"$tmp/cpp/cpp_beispiel" | diff -u "$quelle/examples/cpp_beispiel/erwartet.txt" -

# The C program built against the pkg-config file (a shared library found
# at run time through the run path given here).
PKG_CONFIG_PATH="$prefix/lib/pkgconfig" pkg-config --cflags --libs numerik >"$tmp/pc"
gcc -std=c11 "$quelle/examples/spline_beispiel/spline_beispiel.c" $(cat "$tmp/pc") \
    -Wl,-rpath,"$prefix/lib" -o "$tmp/pc_beispiel"
gebunden "$tmp/pc_beispiel"
"$tmp/pc_beispiel" | diff -u "$quelle/examples/spline_beispiel/erwartet.txt" -
# The Python module, where the build made it: installed where the
# interpreter it was built for looks under the prefix (site.getsitepackages),
# with the library beside it, and importable from there.
if [ $geteilt -eq 0 ] && [ -d "$bau/python/numerik" ]; then
    python=$(sed -n 's/^Python_EXECUTABLE:[A-Z]*=//p' "$bau/CMakeCache.txt")
    ziel=$(sed -n 's/^NUMERIK_PYTHON_INSTALLDIR:[A-Z]*=//p' "$bau/CMakeCache.txt")
    (cd "$tmp" && "$python" - "$prefix" "$ziel" <<'PY'
import site, sys
prefix, ziel = sys.argv[1], sys.argv[2]
pfade = site.getsitepackages([prefix])
if f"{prefix}/{ziel}" not in pfade:
    sys.exit(f"{prefix}/{ziel} liegt nicht im Suchpfad des Interpreters: {pfade}")
sys.path[:0] = pfade
import numerik
if not numerik.__file__.startswith(prefix):
    sys.exit(f"numerik aus {numerik.__file__} statt aus {prefix}")
assert float(numerik.Spline([0, 1, 2], [0, 1, 8])(2.0)) == 8.0
PY
    )
    echo "Python-Modul in $ziel in Ordnung."
fi

if [ $geteilt -eq 1 ]; then
    echo "Geteilte Bibliothek: Installation, Paketkonfiguration und Beispiele in Ordnung."
else
    echo "Installation, Paketkonfiguration und Header in Ordnung."
fi
