// The native side of the number check: the sequence of zahlenfolge.h written
// by the C library's printf("%f %.17g %9.3g %9.3f %9.6f %.9e\n").
#include "zahlenfolge.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv) {
    int anzahl = argc > 1 ? std::atoi(argv[1]) : 0;
    std::uint64_t zustand = 88172645463325252ULL;
    for (int i = 0; i < anzahl; ++i) {
        const double x = zahlenfolge(&zustand, i);
        std::printf("%f %.17g %9.3g %9.3f %9.6f %.9e\n", x, x, x, x, x, x);
    }
    return 0;
}
