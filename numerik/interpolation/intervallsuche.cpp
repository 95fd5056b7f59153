// The bucket index of the piecewise classes' interval search
// (intervallsuche.h): built when the nodes are proved ordered, used by the
// one-point and the array slots.
#include "interpolation/intervallsuche.h"

#include "interpolation/interplt_intern.h"
#include "matrizen/feld.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// Points of a block whose reads are fetched ahead together: enough to keep
// the memory's queue of misses busy, few enough for the block's buckets
// and counts to stay in registers and the first cache level.
constexpr std::size_t BLOCK = 16;

// The index over the interior nodes x(2..n); left null (every point
// bisects) where their span gives no finite positive scale, or the memory
// for it is not to be had: a slower search, never a failure.
void index_bauen(intervallsuche &s, const double *x, int n) {
    std::free(s.start);
    s.start = nullptr;
    if (n < 2) return;
    const double anfang = x[1];
    const double spanne = x[n - 1] - anfang;
    const int faecher = n - 1;
    const double skala = static_cast<double>(faecher) / spanne;
    if (!(spanne > 0.0) || !std::isfinite(skala) || !(skala > 0.0)) return;
    int *start =
        static_cast<int *>(std::malloc(sizeof(int) * (static_cast<std::size_t>(faecher) + 1)));
    if (start == nullptr) return;
    s.start = start;
    s.faecher = faecher;
    s.anfang = anfang;
    s.skala = skala;
    // start(k) = 1 + the interior nodes in the buckets below k: the index
    // (from 1) of the first node in bucket k or above.
    int k = 0;
    start[0] = 1;
    for (int j = 1; j <= n - 1; ++j) {
        const int fach = intervallsuche_fach(s, x[j]);
        while (k < fach)
            start[++k] = j;
    }
    while (k < faecher)
        start[++k] = n;
}

} // namespace

void intervallsuche_freigeben(intervallsuche &s) {
    std::free(s.start);
    s.start = nullptr;
    s.knoten = nullptr;
    s.geordnet = 0;
    s.aufschub = 0;
    s.lo = 0;
}

bool intervallsuche_geordnet_pruefen(intervallsuche &s, objekt *stuetzstellen, int n,
                                     std::size_t anzahl) {
    const double *x = eintraege(stuetzstellen);
    const unsigned long long stand = schreibstand(stuetzstellen);
    if (x != s.knoten || stand != s.stand) {
        s.aufschub = s.knoten == nullptr ? 0 : n;
        s.knoten = x;
        s.stand = stand;
        s.geordnet = 0;
        std::free(s.start);
        s.start = nullptr;
    }
    if (s.aufschub < 0) return s.geordnet != 0;
    if (static_cast<std::size_t>(s.aufschub) >= anzahl) {
        s.aufschub -= static_cast<long long>(anzahl);
        return false;
    }
    s.geordnet = intervall_geordnet(x, n);
    s.aufschub = -1;
    if (s.geordnet) index_bauen(s, x, n);
    return s.geordnet != 0;
}

int intervallsuche_finden(const intervallsuche &s, const double *x, int n, double w) {
    if (s.start == nullptr) return intervall_bisektion(x, n, w);
    return intervallsuche_im_fach(s, x, intervallsuche_fach(s, w), w);
}

void intervallsuche_viele(const intervallsuche &s, const double *x, int n, const double *w, int *lo,
                          std::size_t anzahl, const double *koeffizienten, int zeile) {
    if (s.start == nullptr) {
        for (std::size_t i = 0; i < anzahl; ++i)
            lo[i] = intervall_bisektion(x, n, w[i]);
        return;
    }
    for (std::size_t von = 0; von < anzahl; von += BLOCK) {
        const std::size_t m = std::min(BLOCK, anzahl - von);
        int fach[BLOCK];
        for (std::size_t j = 0; j < m; ++j) {
            fach[j] = intervallsuche_fach(s, w[von + j]);
            __builtin_prefetch(s.start + fach[j]);
        }
        // The bucket's first node and its row are most often the ones the
        // point needs, the others a neighbour on the same or the next line.
        for (std::size_t j = 0; j < m; ++j) {
            const int l = s.start[fach[j]];
            __builtin_prefetch(x + l - 1);
            __builtin_prefetch(x + l);
            const double *zeile_l = koeffizienten + static_cast<long long>(zeile) * (l - 1);
            __builtin_prefetch(zeile_l);
            __builtin_prefetch(zeile_l + zeile - 1);
        }
        for (std::size_t j = 0; j < m; ++j)
            lo[von + j] = intervallsuche_im_fach(s, x, fach[j], w[von + j]);
    }
}
